# Tests of the plan engine.
k3_add_test(plan_engine_tests
  SOURCES
    engine_generator_test.cpp
    engine_kinds_test.cpp
    engine_spec_test.cpp
    engine_manager_test.cpp
    engine_period_label_test.cpp
    engine_draw_processing_test.cpp
    engine_plan_text_test.cpp
  LIBS k3_plan
  LABELS plan)

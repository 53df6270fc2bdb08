# Tests of the plan controller, its statistics, the formula parser and the k3replay tool.
if(TARGET k3_plan_controller AND TARGET k3replay)
  k3_add_test(plan_controller_tests
    SOURCES
      controller_line_builder_test.cpp
      controller_formula_parser_test.cpp
      controller_statistics_test.cpp
      controller_plan_controller_test.cpp
      controller_replay_input_test.cpp
      controller_k3replay_test.cpp
    LIBS k3_plan_controller k3_replay)
  target_compile_definitions(plan_controller_tests PRIVATE
    K3REPLAY_PATH="$<TARGET_FILE:k3replay>"
    K3_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  add_dependencies(plan_controller_tests k3replay)
endif()

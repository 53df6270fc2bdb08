# The plan controller, its statistics text and the formula parser, on top of the plan engine.
if(TARGET k3_plan)
  add_library(k3_plan_controller
    line_builder.cpp
    formula_parser.cpp
    plan_statistics.cpp
    plan_controller.cpp
  )
  target_link_libraries(k3_plan_controller PUBLIC k3_plan k3_draws k3_platform k3_common)
endif()

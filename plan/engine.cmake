# The plan engine: generator, plan kinds, records, manager, specs, draw processing, plan text.
add_library(k3_plan
  generator.cpp
  plan_kind.cpp
  kind_numbers.cpp
  position_codes_kind.cpp
  same_number_kind.cpp
  distinct_numbers_kind.cpp
  sum_odd_even_kind.cpp
  sum_big_small_kind.cpp
  single_sure_kind.cpp
  plan_record.cpp
  period_label.cpp
  plan_spec.cpp
  plan_manager.cpp
  draw_processing.cpp
  plan_text.cpp
)
target_link_libraries(k3_plan PUBLIC k3_draws k3_platform k3_common)

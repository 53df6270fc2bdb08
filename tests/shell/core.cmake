k3_add_test(shell_core_tests
  SOURCES
    product_profile_test.cpp
    core_countdown_test.cpp
    core_draw_source_test.cpp
    core_presenter_test.cpp
    core_draw_cycle_test.cpp
    core_settings_file_test.cpp
  LIBS k3_shell_core)

set(K3_SHELL_CORE_TEST_SOURCES
  product_profile_test.cpp
  core_countdown_test.cpp
  core_draw_source_test.cpp
  core_presenter_test.cpp
  core_draw_cycle_test.cpp
  core_settings_file_test.cpp
  core_init_endpoints_test.cpp
)
# The start-up runs against a real draw service when it is part of the build.
if(TARGET k3drawd)
  list(APPEND K3_SHELL_CORE_TEST_SOURCES core_startup_test.cpp)
endif()
k3_add_test(shell_core_tests
  SOURCES ${K3_SHELL_CORE_TEST_SOURCES}
  LIBS k3_shell_core k3_test_support)
if(TARGET k3drawd)
  add_dependencies(shell_core_tests k3drawd)
endif()

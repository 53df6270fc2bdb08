k3_add_test(shell_core_tests
  SOURCES product_profile_test.cpp
  LIBS k3_shell_core)

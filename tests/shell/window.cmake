# The window tests: QtTest classes in one executable on the offscreen platform; each class is
# its own CTest test.
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets Test)
set(K3_WINDOW_TEST_CLASSES WindowLayoutTest WindowHtmlViewTest WindowSplashTest)

add_executable(shell_window_tests
  window_main.cpp
  window_layout_test.cpp
  window_html_view_test.cpp
  window_splash_test.cpp
)
set_target_properties(shell_window_tests PROPERTIES AUTOMOC ON)
target_link_libraries(shell_window_tests PRIVATE k3_shell_window Qt6::Test k3_common)
foreach(test_class IN LISTS K3_WINDOW_TEST_CLASSES)
  add_test(NAME shell_window.${test_class} COMMAND shell_window_tests ${test_class})
  set_tests_properties(shell_window.${test_class} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 LABELS window)
endforeach()

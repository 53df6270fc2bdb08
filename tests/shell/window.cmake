# The window tests: QtTest classes in one executable on the offscreen platform; each class is
# its own CTest test.
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets Network Test)
set(K3_WINDOW_TEST_CLASSES WindowLayoutTest WindowHtmlViewTest WindowSplashTest)
set(K3_WINDOW_TEST_SOURCES
  window_main.cpp
  window_layout_test.cpp
  window_html_view_test.cpp
  window_splash_test.cpp
  window_url_catcher.h
)
# The whole client runs against a real draw service when it is part of the build.
if(TARGET k3drawd)
  list(APPEND K3_WINDOW_TEST_CLASSES WindowClientTest)
  list(APPEND K3_WINDOW_TEST_SOURCES window_client_test.cpp window_proxy.cpp)
endif()

add_executable(shell_window_tests ${K3_WINDOW_TEST_SOURCES})
set_target_properties(shell_window_tests PROPERTIES AUTOMOC ON)
target_link_libraries(shell_window_tests PRIVATE k3_shell_window Qt6::Test k3_common)
if(TARGET k3drawd)
  find_package(SQLite3 REQUIRED)
  target_link_libraries(shell_window_tests PRIVATE Qt6::Network SQLite::SQLite3 k3_test_support)
  add_dependencies(shell_window_tests k3drawd)
endif()
foreach(test_class IN LISTS K3_WINDOW_TEST_CLASSES)
  add_test(NAME shell_window.${test_class} COMMAND shell_window_tests ${test_class})
  set_tests_properties(shell_window.${test_class} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 LABELS window)
endforeach()

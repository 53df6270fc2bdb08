# The updater program: its window in-process on Qt's offscreen platform, and the built program
# run as its own process in a scratch folder.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
k3_add_test(updater_program_tests
  SOURCES updater_window_test.cpp updater_program_test.cpp updater_process.cpp
  LIBS k3_updater_window k3_updater_core k3_updater_test_support Qt6::Widgets Qt6::Test)
add_dependencies(updater_program_tests k3_updater)
target_compile_definitions(updater_program_tests PRIVATE
  K3_UPDATER_PROGRAM="$<TARGET_FILE:k3_updater>")

# The self-update of a real client against a real k3drawd, when both are built.
if(TARGET k3_client AND TARGET k3drawd)
  k3_add_test(updater_client_tests
    SOURCES client_update_test.cpp updater_process.cpp
    LIBS k3_update k3_updater_core k3_embedded_updater k3_service k3_platform
         k3_updater_test_support)
  add_dependencies(updater_client_tests k3_client k3drawd k3_updater)
  target_compile_definitions(updater_client_tests PRIVATE
    K3_CLIENT_PROGRAM="$<TARGET_FILE:k3_client>")
endif()

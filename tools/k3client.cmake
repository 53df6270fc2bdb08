# k3client: init, latest draw, history, probe and draws by date from the command line.
add_library(k3_client_command k3client/client_command.cpp)
target_link_libraries(k3_client_command PUBLIC k3_service k3_common)

add_executable(k3client k3client/main.cpp)
target_link_libraries(k3client PRIVATE k3_client_command k3_shell_core k3_common)

# The updater program (Qt Widgets), and the library that carries its bytes into the client.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(k3_updater_window updater_window.cpp updater_window.h)
set_target_properties(k3_updater_window PROPERTIES AUTOMOC ON)
target_link_libraries(k3_updater_window PUBLIC k3_updater_core Qt6::Widgets k3_common)

add_executable(k3_updater updater_main.cpp)
set_target_properties(k3_updater PROPERTIES OUTPUT_NAME "更新器")
target_link_libraries(k3_updater PRIVATE k3_updater_window k3_updater_core CURL::libcurl k3_common)

# The client writes these bytes out unchanged, so they are the stripped program.
set(K3_EMBEDDED_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/embedded_updater_image.cpp)
add_custom_command(
  OUTPUT ${K3_EMBEDDED_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=$<TARGET_FILE:k3_updater> -DOUTPUT=${K3_EMBEDDED_SOURCE}
          -DSTRIP=${CMAKE_STRIP} -P ${CMAKE_CURRENT_SOURCE_DIR}/embed_updater.cmake
  DEPENDS k3_updater ${CMAKE_CURRENT_SOURCE_DIR}/embed_updater.cmake
  COMMENT "Embedding the updater program"
  VERBATIM)
add_library(k3_embedded_updater STATIC ${K3_EMBEDDED_SOURCE})
target_link_libraries(k3_embedded_updater PRIVATE k3_common)

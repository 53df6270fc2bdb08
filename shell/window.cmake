# The Qt window of the client: main window, splash, HTML view and the Qt side of the
# interfaces the window-free shell writes to; then the client executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets Test)

# Redraws the pictures in assets/; not part of the normal build.
add_executable(k3_draw_assets EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/assets/draw_assets.cpp)
target_link_libraries(k3_draw_assets PRIVATE Qt6::Widgets k3_common)

add_library(k3_shell_window
  main_window.cpp
  qt_client.cpp
  qt_clipboard.cpp
  qt_event_pump.cpp
  qt_html_view.cpp
  qt_main_view.cpp
  qt_message_boxes.cpp
  qt_plan_view.cpp
  splash_window.cpp
)
set_target_properties(k3_shell_window PROPERTIES AUTOMOC ON)
target_link_libraries(k3_shell_window PUBLIC k3_shell_core k3_update Qt6::Widgets Qt6::WebEngineWidgets k3_common)
qt_add_resources(k3_shell_window k3_assets
  PREFIX /assets
  BASE ${CMAKE_SOURCE_DIR}/assets
  FILES
    ${CMAKE_SOURCE_DIR}/assets/background.png
    ${CMAKE_SOURCE_DIR}/assets/background_bet.png
    ${CMAKE_SOURCE_DIR}/assets/button_caption.png
    ${CMAKE_SOURCE_DIR}/assets/button_close.png
    ${CMAKE_SOURCE_DIR}/assets/button_minimise.png
    ${CMAKE_SOURCE_DIR}/assets/splash.png
)

# The client, named after the product's program name; it carries the updater's bytes.
add_executable(k3_client main.cpp)
set_target_properties(k3_client PROPERTIES OUTPUT_NAME "澜星吉林快三平刷独胆计划")
target_link_libraries(k3_client PRIVATE k3_shell_window k3_embedded_updater k3_common)

# The window-free shell: product profile, settings file, presenter, draw cycle and start-up.
add_library(k3_shell_core
  product_profile.cpp
  profile_text.cpp
  replacing_file.cpp
  settings_file.cpp
  main_presenter.cpp
  draw_cycle.cpp
  init_endpoints.cpp
  app_state.cpp
  app_init_controller.cpp
  app_start_controller.cpp
  startup_facade.cpp
)
target_compile_definitions(k3_shell_core PRIVATE K3_SERVICE_HOST="${K3_SERVICE_HOST}")
target_link_libraries(k3_shell_core PUBLIC k3_service k3_update k3_draws k3_plan_controller k3_platform k3_common)

# The window-free shell: product profile, settings file, presenter, draw cycle and start-up.
add_library(k3_shell_core
  product_profile.cpp
  profile_text.cpp
  replacing_file.cpp
  settings_file.cpp
  main_presenter.cpp
  draw_cycle.cpp
)
target_link_libraries(k3_shell_core PUBLIC k3_draws k3_plan_controller k3_platform k3_common)

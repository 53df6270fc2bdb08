add_library(k3_shell_core
  product_profile.cpp
)
target_link_libraries(k3_shell_core PUBLIC k3_platform k3_common)

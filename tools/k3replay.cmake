# k3replay: replays a saved draw history through the plan engine and prints the plan box text.
if(TARGET k3_plan_controller)
  add_library(k3_replay
    k3replay/replay_options.cpp
    k3replay/history_file.cpp
    k3replay/replay_run.cpp
  )
  target_link_libraries(k3_replay PUBLIC k3_plan_controller k3_common)

  add_executable(k3replay k3replay/main.cpp)
  target_link_libraries(k3replay PRIVATE k3_replay k3_common)
endif()

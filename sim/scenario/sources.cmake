target_sources(campsim_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/null_game.cpp
  ${CMAKE_CURRENT_LIST_DIR}/other_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simulation.cpp
)

target_sources(campsim_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/blips_objective.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handle_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/invoke.cpp
  ${CMAKE_CURRENT_LIST_DIR}/joaat_hash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/other_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/peds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prop_sets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/speech.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tasks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/world.cpp
)

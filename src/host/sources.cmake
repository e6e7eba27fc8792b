target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/camp_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dispatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/earlier_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dll_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objective.cpp
  ${CMAKE_CURRENT_LIST_DIR}/script_main.cpp
)

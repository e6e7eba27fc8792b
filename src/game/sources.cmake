target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/player_watch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/requests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/speech.cpp
)

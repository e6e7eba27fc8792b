target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/camp_props.cpp
  ${CMAKE_CURRENT_LIST_DIR}/campfire_tent.cpp
)

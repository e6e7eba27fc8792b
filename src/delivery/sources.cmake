target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/location_remarks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ride_remarks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/supply_wagon.cpp
)

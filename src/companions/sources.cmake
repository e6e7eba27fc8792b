target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/creation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/creations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/removal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/routine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/charles_routine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sadie_routine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/karen_routine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/abe_routine.cpp
)

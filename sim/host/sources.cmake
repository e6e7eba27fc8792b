target_sources(campsim_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/argument_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/native_signatures.cpp
)
if(WIN32)
  target_sources(campsim_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/host_link_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugin_loader_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/readable_memory_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_fiber_win32.cpp)
else()
  target_sources(campsim_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/plugin_loader_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/readable_memory_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_fiber_posix.cpp)
endif()

# campsim's libraries for the Windows build, header-only from this machine's packages.
# Only their own folders are put on the include path: the rest of /usr/include belongs to
# the native C library and must never reach the mingw-w64 compiler.
find_path(CAMPFIRE_NATIVE_INCLUDE CLI/CLI.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(staged ${CMAKE_BINARY_DIR}/native-headers)
foreach(dir CLI nlohmann fmt)
  if(NOT EXISTS ${CAMPFIRE_NATIVE_INCLUDE}/${dir})
    message(FATAL_ERROR "${CAMPFIRE_NATIVE_INCLUDE}/${dir} is missing (scripts/install-deps.sh)")
  endif()
  file(MAKE_DIRECTORY ${staged})
  file(CREATE_LINK ${CAMPFIRE_NATIVE_INCLUDE}/${dir} ${staged}/${dir} SYMBOLIC)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
add_library(fmt::fmt INTERFACE IMPORTED)
foreach(lib CLI11::CLI11 nlohmann_json::nlohmann_json fmt::fmt)
  set_target_properties(${lib} PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${staged}
                                          INTERFACE_INCLUDE_DIRECTORIES ${staged})
endforeach()
# fmt's library is packaged for the native C library only; its headers can stand alone.
set_target_properties(fmt::fmt PROPERTIES INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY=1)

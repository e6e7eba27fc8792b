# Builds Campfire.asi with mingw-w64 beside the native build, so one build gives both.
include(ExternalProject)
find_program(CAMPFIRE_MINGW_CXX x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
set(CAMPFIRE_ASI "")
if(CAMPFIRE_CROSS_PLUGIN AND CAMPFIRE_MINGW_CXX)
  set(cross_dir ${CMAKE_BINARY_DIR}/windows)
  ExternalProject_Add(campfire_windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${cross_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DCAMPFIRE_SIM=OFF
      -DCAMPFIRE_WERROR=${CAMPFIRE_WERROR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${cross_dir}/Campfire.asi)
  set(CAMPFIRE_ASI ${cross_dir}/Campfire.asi)
elseif(CAMPFIRE_CROSS_PLUGIN)
  message(WARNING "mingw-w64 not found: Campfire.asi is not built (apt-get install g++-mingw-w64-x86-64)")
endif()

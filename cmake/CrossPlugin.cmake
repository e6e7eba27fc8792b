# Builds Campfire.asi with mingw-w64 beside the native build, so one build gives both; then,
# as a target of its own, campsim.exe and the stand-in ScriptHookRDR2.dll that run it under
# a Windows loader (wine, in the tests) and the mod kit ships. The tour builds only the
# plugins.
include(ExternalProject)
find_program(CAMPFIRE_MINGW_CXX x86_64-w64-mingw32-g++-win32)
set(CAMPFIRE_ASI "")
set(CAMPFIRE_WINDOWS_DIR "")
if(CAMPFIRE_CROSS_PLUGIN AND CAMPFIRE_MINGW_CXX)
  set(cross_dir ${CMAKE_BINARY_DIR}/windows)
  ExternalProject_Add(campfire_windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${cross_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DCAMPFIRE_SIM=OFF
      -DCAMPFIRE_WINDOWS_SIM=ON
      -DCAMPFIRE_WERROR=${CAMPFIRE_WERROR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${cross_dir} --target campfire_plugin
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${cross_dir}/Campfire.asi)
  # The rest of the cross build, after the plugin (both use the same build folder).
  add_custom_target(campfire_windows_sim ALL
    COMMAND ${CMAKE_COMMAND} --build ${cross_dir}
    BYPRODUCTS ${cross_dir}/campsim.exe ${cross_dir}/ScriptHookRDR2.dll
               ${cross_dir}/reload_check.exe
    USES_TERMINAL
    COMMENT "Cross-building campsim.exe and the stand-in host")
  add_dependencies(campfire_windows_sim campfire_windows)
  set(CAMPFIRE_ASI ${cross_dir}/Campfire.asi)
  set(CAMPFIRE_WINDOWS_DIR ${cross_dir})
elseif(CAMPFIRE_CROSS_PLUGIN)
  message(WARNING "mingw-w64 not found: Campfire.asi is not built (apt-get install g++-mingw-w64-x86-64-win32)")
endif()

# Both builds of the plugin: the native one the simulator loads and Campfire.asi, which the
# Windows tests compare with it. scripts/tour.sh and the tests' first step build this, so
# that the two never come from different sources.
add_custom_target(campfire_plugins)
add_dependencies(campfire_plugins campfire_plugin)
if(TARGET campfire_windows)
  add_dependencies(campfire_plugins campfire_windows)
endif()

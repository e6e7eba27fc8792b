# The plugin: Campfire.asi for Windows, Campfire.so for the simulated host.
add_library(campfire_plugin SHARED)
foreach(dir game host companions talk scenery delivery)
  include(${PROJECT_SOURCE_DIR}/src/${dir}/sources.cmake)
endforeach()
target_include_directories(campfire_plugin PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(campfire_plugin PRIVATE campfire_warnings)
target_compile_options(campfire_plugin PRIVATE -fno-exceptions -fno-rtti)
set_target_properties(campfire_plugin PROPERTIES
  OUTPUT_NAME Campfire
  PREFIX ""
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

if(WIN32)
  set_target_properties(campfire_plugin PROPERTIES SUFFIX ".asi")
  # The host ships no import library: make one from the names its DLL exports.
  find_program(CAMPFIRE_DLLTOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-dlltool x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  set(import_lib ${CMAKE_CURRENT_BINARY_DIR}/libScriptHookRDR2.a)
  set(import_def ${PROJECT_SOURCE_DIR}/src/game/ScriptHookRDR2.def)
  add_custom_command(OUTPUT ${import_lib}
    COMMAND ${CAMPFIRE_DLLTOOL} --input-def ${import_def} --output-lib ${import_lib}
    DEPENDS ${import_def}
    COMMENT "Generating the ScriptHookRDR2 import library")
  add_custom_target(scripthook_import_lib DEPENDS ${import_lib})
  add_dependencies(campfire_plugin scripthook_import_lib)
  # No export table, no runtime DLLs: players have only the game and the host. No time
  # stamp either, so that the same sources always give the same file.
  target_link_options(campfire_plugin PRIVATE -static -static-libgcc -static-libstdc++
                      -Wl,--exclude-all-symbols -Wl,--no-insert-timestamp -s)
  # The library brings the game nothing but the script. The C runtime's start-up would add
  # a TLS directory (a callback on every thread the game starts and ends) and the code that
  # runs static constructors under the loader lock, so the entry is DllMain itself. All
  # state is zero at load, so there is nothing to construct; the linker check fails the
  # build if a static constructor appears, since nothing would run it, and data is never
  # auto-imported, since nothing would apply the pseudo-relocations that needs.
  target_link_options(campfire_plugin PRIVATE -nostartfiles -Wl,--entry=DllMain
                      -Wl,--disable-auto-import
                      ${PROJECT_SOURCE_DIR}/cmake/no-static-constructors.ld)
  set_property(TARGET campfire_plugin APPEND PROPERTY LINK_DEPENDS
               ${PROJECT_SOURCE_DIR}/cmake/no-static-constructors.ld)
  # Size: unused sections go.
  target_compile_options(campfire_plugin PRIVATE -ffunction-sections -fdata-sections)
  target_link_options(campfire_plugin PRIVATE -Wl,--gc-sections)
  target_link_libraries(campfire_plugin PRIVATE ${import_lib})
  # File and product version, shown in the file's properties.
  enable_language(RC)
  configure_file(${PROJECT_SOURCE_DIR}/src/host/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/campfire_version.rc @ONLY)
  target_sources(campfire_plugin PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/campfire_version.rc)
else()
  set_target_properties(campfire_plugin PROPERTIES SUFFIX ".so")
  # Unique symbols would keep the library mapped after dlclose, so a second run
  # would not start from zeroed globals. (Clang makes no such symbols and has no such flag.)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(campfire_plugin PRIVATE -fno-gnu-unique)
  endif()
endif()

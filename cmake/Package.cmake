# The release zips, packed by CPack from the cross build:
# - the players' zip, Campfire-<version>.zip: Campfire.asi at its root with the install
#   guide, the licence and the changelog. The host and its loader come from their own author
#   and never go in.
# - the mod kit, Campfire-modkit-<version>.zip (with CAMPFIRE_WINDOWS_SIM): campsim.exe, the
#   stand-in ScriptHookRDR2.dll it needs beside it, Campfire.asi, the example scenarios and
#   a short guide, all in one folder, so that unpacking it never puts the stand-in host into
#   a game's folder.
install(FILES $<TARGET_FILE:campfire_plugin> DESTINATION . COMPONENT player)
install(FILES ${PROJECT_SOURCE_DIR}/docs/INSTALL.txt ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION . COMPONENT player)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt COMPONENT player)
set(CPACK_COMPONENTS_ALL player)

if(CAMPFIRE_WINDOWS_SIM)
  set(kit Campfire-modkit-${PROJECT_VERSION})
  # The targets are made later (sim/, tools/campsim); their files are named here.
  install(FILES $<TARGET_FILE:campfire_plugin> $<TARGET_FILE:campsim>
                $<TARGET_FILE:scripthook_dll>
          DESTINATION ${kit} COMPONENT modkit)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${kit}/examples
          COMPONENT modkit)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/MODKIT.txt DESTINATION ${kit} RENAME README.txt
          COMPONENT modkit)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${kit} RENAME LICENSE.txt
          COMPONENT modkit)
  list(APPEND CPACK_COMPONENTS_ALL modkit)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Campfire)
set(CPACK_PACKAGE_VENDOR "Campfire developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Campfire-${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# One zip per component, each named for itself.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_PLAYER_FILE_NAME Campfire-${PROJECT_VERSION})
set(CPACK_ARCHIVE_MODKIT_FILE_NAME Campfire-modkit-${PROJECT_VERSION})
# Unpacking the players' zip into the game's folder must put Campfire.asi next to the
# executable.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)

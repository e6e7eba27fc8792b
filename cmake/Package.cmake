# The players' zip: Campfire.asi at its root with the install guide, the licence and the
# changelog. The host and its loader come from their own author and never go in.
install(FILES $<TARGET_FILE:campfire_plugin> DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/INSTALL.txt ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Campfire)
set(CPACK_PACKAGE_VENDOR "Campfire developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Campfire-${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Unpacking into the game's folder must put Campfire.asi next to the executable.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)

# The release: `cmake --build --preset win64 --target package` makes zobl-2.0-win64.zip
# holding the program, its console companion and the two files the program reads from its
# working directory.
install(TARGETS zobl zobl_cli RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/assets/readme.txt ${CMAKE_SOURCE_DIR}/assets/MARLO192.FON DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zobl)
set(CPACK_PACKAGE_FILE_NAME zobl-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
include(CPack)

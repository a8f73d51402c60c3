# The portable program folder as a zip: `cmake --build --preset windows --target package`.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/defaulticon DESTINATION .)
if(EXISTS ${PROJECT_SOURCE_DIR}/data/skin)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/skin DESTINATION .)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/data/index.html)
    install(FILES ${PROJECT_SOURCE_DIR}/data/index.html DESTINATION .)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help DESTINATION .)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zanmel)
set(CPACK_PACKAGE_VENDOR Zanmel)
set(ZANMEL_PACKAGE_NAME "Zanmel-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_FILE_NAME ${ZANMEL_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# The test run builds the zip and checks that the program folder in it is complete.
add_test(NAME package_contents
         COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR}
                 -DZIP=${CMAKE_BINARY_DIR}/package/${ZANMEL_PACKAGE_NAME}.zip -DTOP=${ZANMEL_PACKAGE_NAME}
                 -P ${PROJECT_SOURCE_DIR}/cmake/CheckPackage.cmake)

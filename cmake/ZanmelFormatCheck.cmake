# The whole tree has one style (.clang-format); the test run checks it.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXECUTABLE)
    add_test(NAME format_check
             COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${CLANG_FORMAT_EXECUTABLE} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -P ${PROJECT_SOURCE_DIR}/cmake/FormatCheck.cmake)
endif()

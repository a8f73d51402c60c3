# Runs clang-format in dry-run mode over our own sources; fails listing the files that differ.
file(GLOB_RECURSE files LIST_DIRECTORIES false
     ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
set(bad "")
foreach(f IN LISTS files)
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${f} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 0)
        list(APPEND bad ${f})
    endif()
endforeach()
if(bad)
    string(REPLACE ";" "\n  " bad "${bad}")
    message(FATAL_ERROR "Not formatted (run clang-format -i):\n  ${bad}")
endif()
list(LENGTH files n)
message(STATUS "${n} files formatted")

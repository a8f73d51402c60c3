# Compile options shared by every target: sources are UTF-8, string literals become CP932 bytes.
# //TRANSLIT because libstdc++'s C++20 <chrono> holds a micro sign, which CP932 lacks; iconv gives it the
# look-alike Greek mu. Every character of our own texts exists in CP932 and converts exactly.
# clang knows no execution character set but UTF-8, so the fuzz build (clang) keeps UTF-8 literals; it checks
# the readers for memory faults, where the bytes of our own message texts do not matter.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932//TRANSLIT)
endif()

if(ZANMEL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Warnings as errors for our own code only (GoogleTest is built with its own flags).
function(zanmel_own_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 reports false overlaps inside std::string's own inlined copies at -O2 (GCC bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

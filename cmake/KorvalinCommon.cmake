# Compile settings shared by every target: link korvalin_common instead of repeating flags.
add_library(korvalin_common INTERFACE)
target_compile_features(korvalin_common INTERFACE cxx_std_20)
target_compile_options(korvalin_common INTERFACE -Wall -Wextra -pedantic)
if(KORVALIN_WARNINGS_AS_ERRORS)
    target_compile_options(korvalin_common INTERFACE -Werror)
endif()
target_compile_definitions(korvalin_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)

# Sanitizers apply to the whole build, so that every library and test is instrumented alike.
if(KORVALIN_SANITIZERS)
    list(JOIN KORVALIN_SANITIZERS "," korvalin_sanitizer_list)
    add_compile_options(-fsanitize=${korvalin_sanitizer_list} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${korvalin_sanitizer_list})
endif()

# Coverage feedback for libFuzzer from every library a fuzz target links; the targets themselves add the
# fuzzer's main() at link time.
if(KORVALIN_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KORVALIN_BUILD_FUZZERS needs clang for libFuzzer (-DCMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Under AddressSanitizer the tests check for leaks at exit; the toolkit's own leaks are suppressed.
set(korvalin_test_environment "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
if("address" IN_LIST KORVALIN_SANITIZERS)
    list(APPEND korvalin_test_environment
        "ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1"
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0")
endif()
if("undefined" IN_LIST KORVALIN_SANITIZERS)
    list(APPEND korvalin_test_environment "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# add_korvalin_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# One test executable per module; runs headless and in a fixed locale. A test that links
# korvalin_gui_test_support gets its main() there, with one application object for the whole program.
function(add_korvalin_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest korvalin_common)
    if(NOT korvalin_gui_test_support IN_LIST ARG_LIBS)
        target_link_libraries(${ARG_NAME} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "${korvalin_test_environment}"
        TIMEOUT 600)
endfunction()

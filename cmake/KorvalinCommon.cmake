# Compile settings shared by every target: link korvalin_common instead of repeating flags.
add_library(korvalin_common INTERFACE)
target_compile_features(korvalin_common INTERFACE cxx_std_20)
target_compile_options(korvalin_common INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(korvalin_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)

# add_korvalin_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# One test executable per module; runs headless and in a fixed locale.
function(add_korvalin_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main korvalin_common)
    target_compile_definitions(${ARG_NAME} PRIVATE
        KORVALIN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8"
        TIMEOUT 600)
endfunction()

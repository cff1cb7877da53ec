# orvik_add_test(NAME name SOURCES ... LIBS ... [TIMEOUT s])
# Registers a QtTest program with ctest. Every test runs with a private XDG_RUNTIME_DIR and
# the display that scripts/test provides (one Xvfb for the whole run).
function(orvik_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
    target_compile_definitions(${T_NAME} PRIVATE
        ORVIK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ORVIK_BUILD_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QTWEBENGINE_DISABLE_SANDBOX=1;QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:suppressions=${CMAKE_SOURCE_DIR}/tests/ubsan.supp")
endfunction()

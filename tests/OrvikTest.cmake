# orvik_add_test(NAME name SOURCES ... LIBS ... [TIMEOUT s] [DISPLAY])
# Registers a QtTest program with ctest. Every test runs with the display that scripts/test
# provides (one Xvfb for the whole run), under AddressSanitizer and UBSan in that build.
# DISPLAY marks a test that opens windows: it keeps the GL driver loaded to the end (so the
# leak check can name what the driver holds) and skips ASan's sized-delete check, which
# QtWebEngine's Chromium code trips inside libQt6WebEngineCore. Third-party leaks are
# suppressed by library in lsan.supp. The user's data and configuration folders point into the
# build folder, so that no test reaches the real user's catalogue or settings.
function(orvik_add_test)
    cmake_parse_arguments(T "DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(T_DISPLAY)
        list(APPEND T_SOURCES ${CMAKE_SOURCE_DIR}/tests/common/KeepGlDriver.cpp)
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    # Forms are compiled by their own libraries; tests include the generated headers from there.
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOUIC OFF)
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS} ${CMAKE_DL_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        ORVIK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ORVIK_BUILD_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set(asan "detect_leaks=1")
    if(T_DISPLAY)
        set(asan "detect_leaks=1:new_delete_type_mismatch=0")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/home/${T_NAME}/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/home/${T_NAME}/config;QTWEBENGINE_DISABLE_SANDBOX=1;QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=${asan}:detect_odr_violation=0;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:suppressions=${CMAKE_SOURCE_DIR}/tests/ubsan.supp")
endfunction()

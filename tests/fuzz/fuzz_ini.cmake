orvik_add_fuzzer(NAME fuzz_ini SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_ini.cpp ${CMAKE_SOURCE_DIR}/skin/data/QuickIni.cpp ${CMAKE_SOURCE_DIR}/skin/data/SkinDataColours.cpp)

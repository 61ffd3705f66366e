# libFuzzer target for the INI reader and writer. It needs Clang and is run by
# hand (build/ini_fuzz corpus/), not by ctest. The INI sources are compiled
# into it so that libFuzzer's coverage sees them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(ini_fuzz
        ${CMAKE_CURRENT_LIST_DIR}/ini_fuzz.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/IniFile.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/TextFile.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/FileOps.cpp)
    target_include_directories(ini_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address)
    target_link_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address)
    target_link_libraries(ini_fuzz PRIVATE postrix_common Qt6::Core)
endif()

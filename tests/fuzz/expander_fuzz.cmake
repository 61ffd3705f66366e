# libFuzzer target for the variable expander. It needs Clang and is run by
# hand (build/expander_fuzz corpus/), not by ctest. The engine sources are
# compiled into it so that libFuzzer's coverage sees them; the platform layer
# comes from the program library.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(expander_fuzz
        ${CMAKE_CURRENT_LIST_DIR}/expander_fuzz.cpp
        ${PROJECT_SOURCE_DIR}/src/engines/Expander.cpp
        ${PROJECT_SOURCE_DIR}/src/engines/EngineFiles.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/TextHelpers.cpp)
    target_compile_options(expander_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(expander_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(expander_fuzz PRIVATE postrix_core)
endif()

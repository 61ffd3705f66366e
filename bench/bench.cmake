# Helpers for the benchmarks; the benchmarks themselves are not tests.
add_library(postrix_bench_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/bare_http.h
    ${CMAKE_CURRENT_LIST_DIR}/bare_http.cpp)
target_include_directories(postrix_bench_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(postrix_bench_support PUBLIC postrix_common Qt6::Core PkgConfig::CURL)

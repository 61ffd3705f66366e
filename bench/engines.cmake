# Not a test: times the site lists and one engine's load and save
# (build/postrix_bench_engines). Built only where Google Benchmark is installed.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(postrix_bench_engines ${CMAKE_CURRENT_LIST_DIR}/bench_engines.cpp)
    target_link_libraries(postrix_bench_engines PRIVATE postrix_ui benchmark::benchmark)
endif()

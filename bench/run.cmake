# Not a test: a submission run of 500 HTTP sites against the local test
# server, timed against the same requests made by a bare libcurl loop.
add_executable(bench_run ${CMAKE_CURRENT_LIST_DIR}/bench_run.cpp)
target_link_libraries(bench_run PRIVATE postrix_test_support postrix_bench_support)

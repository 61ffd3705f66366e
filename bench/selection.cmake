# Not a test: times the Sites grid rebuild (build/postrix_bench_sitegrid).
add_executable(postrix_bench_sitegrid ${CMAKE_CURRENT_LIST_DIR}/bench_sitegrid.cpp)
target_link_libraries(postrix_bench_sitegrid PRIVATE postrix_ui)

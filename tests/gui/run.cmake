postrix_add_test(test_run ${CMAKE_CURRENT_LIST_DIR}/test_run.cpp)

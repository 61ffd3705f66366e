postrix_add_test(test_sites ${CMAKE_CURRENT_LIST_DIR}/test_sites.cpp)

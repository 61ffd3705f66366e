postrix_add_test(test_rundriver ${CMAKE_CURRENT_LIST_DIR}/test_rundriver.cpp)

postrix_add_test(test_enginefiles ${CMAKE_CURRENT_LIST_DIR}/test_enginefiles.cpp)
postrix_add_test(test_expander ${CMAKE_CURRENT_LIST_DIR}/test_expander.cpp)

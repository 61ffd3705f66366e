postrix_add_test(test_httpclient ${CMAKE_CURRENT_LIST_DIR}/test_httpclient.cpp)

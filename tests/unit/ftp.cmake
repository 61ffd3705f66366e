postrix_add_test(test_ziparchiver ${CMAKE_CURRENT_LIST_DIR}/test_ziparchiver.cpp)
postrix_add_test(test_ftpclient ${CMAKE_CURRENT_LIST_DIR}/test_ftpclient.cpp)

postrix_add_test(test_textfile ${CMAKE_CURRENT_LIST_DIR}/test_textfile.cpp)
postrix_add_test(test_fileops ${CMAKE_CURRENT_LIST_DIR}/test_fileops.cpp)
postrix_add_test(test_inifile ${CMAKE_CURRENT_LIST_DIR}/test_inifile.cpp)
postrix_add_test(test_texthelpers ${CMAKE_CURRENT_LIST_DIR}/test_texthelpers.cpp)

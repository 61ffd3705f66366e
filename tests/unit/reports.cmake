postrix_add_test(test_reports ${CMAKE_CURRENT_LIST_DIR}/test_reports.cpp)
postrix_add_test(test_reportslist ${CMAKE_CURRENT_LIST_DIR}/test_reportslist.cpp)

postrix_add_test(test_siteselection ${CMAKE_CURRENT_LIST_DIR}/test_siteselection.cpp)

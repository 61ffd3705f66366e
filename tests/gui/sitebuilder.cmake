postrix_add_test(test_sitebuilder ${CMAKE_CURRENT_LIST_DIR}/test_sitebuilder.cpp)

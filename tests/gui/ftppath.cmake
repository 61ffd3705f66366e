postrix_add_test(test_ftppath ${CMAKE_CURRENT_LIST_DIR}/test_ftppath.cpp ${CMAKE_CURRENT_LIST_DIR}/RunProfiles.h)
postrix_add_test(test_ftprun ${CMAKE_CURRENT_LIST_DIR}/test_ftprun.cpp ${CMAKE_CURRENT_LIST_DIR}/RunProfiles.h)
target_link_libraries(test_ftprun PRIVATE postrix_screens)

postrix_add_test(test_profile_rules ${CMAKE_CURRENT_LIST_DIR}/test_profile_rules.cpp)
postrix_add_test(test_profiles ${CMAKE_CURRENT_LIST_DIR}/test_profiles.cpp)

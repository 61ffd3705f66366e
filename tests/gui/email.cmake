postrix_add_test(test_email ${CMAKE_CURRENT_LIST_DIR}/test_email.cpp)
# The mail decoding helper of the SMTP client's tests.
target_include_directories(test_email PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../unit)

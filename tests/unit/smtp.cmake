postrix_add_test(test_mailmessage ${CMAKE_CURRENT_LIST_DIR}/test_mailmessage.cpp ${CMAKE_CURRENT_LIST_DIR}/MailDecode.h)
postrix_add_test(test_smtpclient ${CMAKE_CURRENT_LIST_DIR}/test_smtpclient.cpp ${CMAKE_CURRENT_LIST_DIR}/MailDecode.h)

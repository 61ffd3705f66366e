target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MailMessage.h
    ${CMAKE_CURRENT_LIST_DIR}/MailMessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SmtpClient.h
    ${CMAKE_CURRENT_LIST_DIR}/SmtpClient.cpp)

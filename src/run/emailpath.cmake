target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MailSetup.h
    ${CMAKE_CURRENT_LIST_DIR}/TSMTPForm.h
    ${CMAKE_CURRENT_LIST_DIR}/TSMTPForm.cpp)
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EmailPath.h
    ${CMAKE_CURRENT_LIST_DIR}/EmailPath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSetupDlg.h
    ${CMAKE_CURRENT_LIST_DIR}/TSetupDlg.cpp)

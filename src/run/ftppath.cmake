target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FtpPath.h
    ${CMAKE_CURRENT_LIST_DIR}/FtpPath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TftpForm1.h
    ${CMAKE_CURRENT_LIST_DIR}/TftpForm1.cpp)

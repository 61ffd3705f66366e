target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FtpPath.h
    ${CMAKE_CURRENT_LIST_DIR}/FtpPath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TftpForm1.h
    ${CMAKE_CURRENT_LIST_DIR}/TftpForm1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FtpScreens.h
    ${CMAKE_CURRENT_LIST_DIR}/FtpScreens.cpp)

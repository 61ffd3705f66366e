target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FtpClient.h
    ${CMAKE_CURRENT_LIST_DIR}/FtpClient.cpp)

target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CurlMulti.h
    ${CMAKE_CURRENT_LIST_DIR}/CurlMulti.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClient.h
    ${CMAKE_CURRENT_LIST_DIR}/HttpClient.cpp)

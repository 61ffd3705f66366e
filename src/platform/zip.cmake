target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ZipArchiver.h
    ${CMAKE_CURRENT_LIST_DIR}/ZipArchiver.cpp)

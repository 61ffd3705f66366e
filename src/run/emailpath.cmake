target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EmailPath.h
    ${CMAKE_CURRENT_LIST_DIR}/EmailPath.cpp)

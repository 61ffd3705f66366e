target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TextHelpers.h
    ${CMAKE_CURRENT_LIST_DIR}/TextHelpers.cpp)

target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SubmitPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SubmitPage.cpp)

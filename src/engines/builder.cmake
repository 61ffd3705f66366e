target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderPage.cpp)

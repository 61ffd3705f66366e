target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SitesPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SitesPage.cpp)

target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SiteSelection.h
    ${CMAKE_CURRENT_LIST_DIR}/SiteSelection.cpp)
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SitesPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SitesPage.cpp)

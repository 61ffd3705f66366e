target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CompanyInfoPage.h
    ${CMAKE_CURRENT_LIST_DIR}/CompanyInfoPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppInfoPage.h
    ${CMAKE_CURRENT_LIST_DIR}/AppInfoPage.cpp)

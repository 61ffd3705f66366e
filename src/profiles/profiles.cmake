target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ProfileRules.h
    ${CMAKE_CURRENT_LIST_DIR}/ProfileRules.cpp)
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CompanyInfoPage.h
    ${CMAKE_CURRENT_LIST_DIR}/CompanyInfoPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppInfoPage.h
    ${CMAKE_CURRENT_LIST_DIR}/AppInfoPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FieldFilter.h
    ${CMAKE_CURRENT_LIST_DIR}/FieldFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NameEntry.h
    ${CMAKE_CURRENT_LIST_DIR}/NameEntry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageSupport.h)

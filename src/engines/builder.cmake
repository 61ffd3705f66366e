target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TVarsForm.h
    ${CMAKE_CURRENT_LIST_DIR}/TVarsForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TMatchUpFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TMatchUpFrm.cpp)

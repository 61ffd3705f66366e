target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SiteEngine.h
    ${CMAKE_CURRENT_LIST_DIR}/ExpanderSource.h
    ${CMAKE_CURRENT_LIST_DIR}/EngineFiles.h
    ${CMAKE_CURRENT_LIST_DIR}/EngineFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Expander.h
    ${CMAKE_CURRENT_LIST_DIR}/Expander.cpp)

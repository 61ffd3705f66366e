target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TextFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileOps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Cursor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextHelpers.h
    ${CMAKE_CURRENT_LIST_DIR}/TextHelpers.cpp)

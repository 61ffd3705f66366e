# The open workspace: folders, settings, engine objects, marks; no widgets.
target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Workspace.h
    ${CMAKE_CURRENT_LIST_DIR}/PageLinks.h
    ${CMAKE_CURRENT_LIST_DIR}/Workspace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TGWide.h
    ${CMAKE_CURRENT_LIST_DIR}/TGWide.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Settings.h
    ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Services.h
    ${CMAKE_CURRENT_LIST_DIR}/Services.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpFile.h
    ${CMAKE_CURRENT_LIST_DIR}/HelpFile.cpp)

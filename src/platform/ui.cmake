target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Dialogs.h
    ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.h
    ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.h
    ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.cpp)
# The widget side of the platform: the application object and the dialogs.
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Application.h
    ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScriptedDialogs.h
    ${CMAKE_CURRENT_LIST_DIR}/ScriptedDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TErrorForm.h
    ${CMAKE_CURRENT_LIST_DIR}/TErrorForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSiteEntryFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TSiteEntryFrm.cpp)

target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ControlText.h
    ${CMAKE_CURRENT_LIST_DIR}/ControlText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainExpanderSource.h
    ${CMAKE_CURRENT_LIST_DIR}/MainExpanderSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Program.h
    ${CMAKE_CURRENT_LIST_DIR}/Program.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TAboutBox.h
    ${CMAKE_CURRENT_LIST_DIR}/TAboutBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TMainFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TMainFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSettingsForm.h
    ${CMAKE_CURRENT_LIST_DIR}/TSettingsForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSplashFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TSplashFrm.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/shell.qrc)

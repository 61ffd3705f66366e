target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RunHost.h
    ${CMAKE_CURRENT_LIST_DIR}/RunDriver.h
    ${CMAKE_CURRENT_LIST_DIR}/RunDriver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpPath.h
    ${CMAKE_CURRENT_LIST_DIR}/HttpPath.cpp)
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SubmitPage.h
    ${CMAKE_CURRENT_LIST_DIR}/SubmitPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TALed.h
    ${CMAKE_CURRENT_LIST_DIR}/TALed.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TSubmissionVerifyFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TSubmissionVerifyFrm.cpp)

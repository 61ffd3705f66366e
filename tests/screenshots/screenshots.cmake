# The screens the screenshot tool renders that need a run or an engine set up.
add_library(postrix_screens STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderScreens.h
    ${CMAKE_CURRENT_LIST_DIR}/SiteBuilderScreens.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunScreens.h
    ${CMAKE_CURRENT_LIST_DIR}/RunScreens.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FtpScreens.h
    ${CMAKE_CURRENT_LIST_DIR}/FtpScreens.cpp)
target_include_directories(postrix_screens PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(postrix_screens PUBLIC postrix_ui)

# Not a test: renders the screens for a reviewer (scripts/screenshots).
add_executable(postrix_screenshots ${CMAKE_CURRENT_LIST_DIR}/screenshots.cpp)
target_link_libraries(postrix_screenshots PRIVATE postrix_screens Qt6::Test)
target_compile_definitions(postrix_screenshots PRIVATE POSTRIX_TEST_SERVERS="${CMAKE_CURRENT_SOURCE_DIR}/tests/servers")

# Not a test: renders the screens for a reviewer (scripts/screenshots).
add_executable(postrix_screenshots ${CMAKE_CURRENT_LIST_DIR}/screenshots.cpp)
target_link_libraries(postrix_screenshots PRIVATE postrix_core Qt6::Test)
target_compile_definitions(postrix_screenshots PRIVATE POSTRIX_TEST_SERVERS="${CMAKE_CURRENT_SOURCE_DIR}/tests/servers")

# Shared test support: every test executable links the program library, the
# support code (servers, scripted dialogs, temporary program folders) and a
# main that creates the application object.
add_library(postrix_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/support/test_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/ServerProcess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/TempProgramDir.cpp)
target_include_directories(postrix_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(postrix_test_support PUBLIC postrix_ui GTest::gtest Qt6::Test)
target_compile_definitions(postrix_test_support PUBLIC
    POSTRIX_TEST_SERVERS="${CMAKE_CURRENT_LIST_DIR}/servers"
    POSTRIX_TEST_FIXTURES="${CMAKE_CURRENT_LIST_DIR}/fixtures"
    POSTRIX_BINARY_DIR="${CMAKE_BINARY_DIR}")

# postrix_add_test(name source...): one executable, one ctest entry.
function(postrix_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE postrix_test_support)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endfunction()

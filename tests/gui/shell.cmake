postrix_add_test(test_shell ${CMAKE_CURRENT_LIST_DIR}/test_shell.cpp)
postrix_add_test(test_single_instance ${CMAKE_CURRENT_LIST_DIR}/test_single_instance.cpp)
add_dependencies(test_single_instance postrix)
target_compile_definitions(test_single_instance PRIVATE POSTRIX_EXECUTABLE="$<TARGET_FILE:postrix>")

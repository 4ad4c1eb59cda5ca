# The Pocket PC shell stand-in and the resource library's shell chores. The test changes the
# prefix's screen resolution for its child runs, so it runs alone.
ulvo_add_test(shell_test shell_test.cpp dpi_child.cpp shell_test.rc LIBS ulvo_shell ole32)
# Its pictures are the month pictures' files.
set(SHELL_TEST_IMAGES ${CMAKE_SOURCE_DIR}/resources/images)
target_include_directories(shell_test PRIVATE ${SHELL_TEST_IMAGES})
set_source_files_properties(shell_test.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/shell_test_ids.h;${SHELL_TEST_IMAGES}/month01.gif")
set_tests_properties(shell_test PROPERTIES RUN_SERIAL TRUE)

# The resource library against the UlvoRes.dll the build makes.
if(TARGET UlvoRes)
    ulvo_add_test(resource_library_test resource_library_test.cpp temp_dir.cpp test_main.cpp
        LIBS ulvo_core aygshell)
    add_dependencies(resource_library_test UlvoRes)
endif()

# A window with the soft-key bar and the month pictures, for a look under Xvfb (not a test).
if(TARGET UlvoRes)
    add_executable(shell_demo WIN32 shell_demo.cpp shell_test.rc)
    target_include_directories(shell_demo PRIVATE ${SHELL_TEST_IMAGES})
    target_link_libraries(shell_demo PRIVATE ulvo_shell)
    target_link_options(shell_demo PRIVATE -static)
    add_dependencies(shell_demo UlvoRes)
endif()

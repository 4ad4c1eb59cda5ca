# The Pocket PC shell stand-in and the resource library's shell chores. The test changes the
# prefix's screen resolution for its child runs, so it runs alone.
ulvo_add_test(shell_test shell_test.cpp dpi_child.cpp shell_test.rc LIBS ulvo_shell)
target_include_directories(shell_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/data)
set_source_files_properties(shell_test.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/shell_test_ids.h;${CMAKE_CURRENT_SOURCE_DIR}/data/shell_8bit.bmp;${CMAKE_CURRENT_SOURCE_DIR}/data/shell_24bit.bmp;${CMAKE_CURRENT_SOURCE_DIR}/data/shell_32bit.bmp")
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
    target_include_directories(shell_demo PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/data)
    target_link_libraries(shell_demo PRIVATE ulvo_shell)
    target_link_options(shell_demo PRIVATE -static)
    add_dependencies(shell_demo UlvoRes)
endif()

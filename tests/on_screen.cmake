# The About dialog on portrait and landscape screens: real Xvfb screens, not the headless display.
if(TARGET Main)
    ulvo_add_test(about_screen_test about_screen_test.cpp process_driver.cpp temp_dir.cpp test_main.cpp)
    add_dependencies(about_screen_test Main UlvoRes aygshell)
    # Run on its screens by the script, not by the headless emulator.
    set_tests_properties(about_screen_test PROPERTIES DISABLED TRUE)
    add_test(NAME about_on_screens
        COMMAND ${CMAKE_SOURCE_DIR}/tests/on_screen.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}
                $<TARGET_FILE:about_screen_test> portrait:240x320 landscape:320x240)
    set_tests_properties(about_on_screens PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
endif()

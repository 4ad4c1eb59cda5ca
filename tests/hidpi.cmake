# Screens of 192 dots per inch beside 96: each density runs in a child process of the test
# started under that LogPixels, which the test puts back afterwards; so these run alone.
if(TARGET today_lib AND TARGET todayhost)
    ulvo_add_test(hidpi_item_test hidpi_item_test.cpp dpi_child.cpp fixed_clock.cpp temp_dir.cpp test_today_window.cpp today_registration.cpp
        ${CMAKE_SOURCE_DIR}/resources/ulvo.rc LIBS today_lib todayhost_core)
    add_dependencies(hidpi_item_test UlvoRes ulvo todayhost)
    set_tests_properties(hidpi_item_test PROPERTIES RUN_SERIAL TRUE)
endif()

if(TARGET main_lib)
    ulvo_add_test(hidpi_main_test hidpi_main_test.cpp dpi_child.cpp dialog_driver.cpp fixed_clock.cpp temp_dir.cpp
        LIBS main_lib)
    add_dependencies(hidpi_main_test UlvoRes)
    set_tests_properties(hidpi_main_test PROPERTIES RUN_SERIAL TRUE)
endif()

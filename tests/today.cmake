if(TARGET today_lib)
ulvo_add_test(today_item_test today_item_test.cpp fixed_clock.cpp temp_dir.cpp test_today_window.cpp test_main.cpp
    ${CMAKE_SOURCE_DIR}/resources/ulvo.rc LIBS today_lib)
# The item loads its icon from the real resource library beside it, and the export test loads ulvo.dll.
add_dependencies(today_item_test UlvoRes ulvo)
set_tests_properties(today_item_test PROPERTIES ENVIRONMENT "ULVO_EXPECT_LANGUAGE=zh")
# The same font check on a device whose language is not Chinese: Wine takes the user's language
# from the locale a process starts with.
add_test(NAME today_item_font_english COMMAND today_item_test --gtest_filter=TodayItemFont.*)
set_tests_properties(today_item_font_english PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT "ULVO_LANG=C;ULVO_EXPECT_LANGUAGE=en")
endif()

if(TARGET today_lib)
ulvo_add_test(today_item_test today_item_test.cpp fixed_clock.cpp temp_dir.cpp test_today_window.cpp test_main.cpp
    ${CMAKE_SOURCE_DIR}/resources/ulvo.rc LIBS today_lib)
# The item loads its icon from the real resource library beside it, and the export test loads ulvo.dll.
add_dependencies(today_item_test UlvoRes ulvo)
endif()

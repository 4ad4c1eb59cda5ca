ulvo_add_test(calendar_test calendar_test.cpp fixed_clock.cpp test_main.cpp LIBS ulvo_core)
ulvo_add_test(debug_log_test debug_log_test.cpp temp_dir.cpp test_main.cpp LIBS ulvo_core)

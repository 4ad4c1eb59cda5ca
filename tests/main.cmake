# The main program: its pages, texts and start-up in process, and Main.exe run as a program.
ulvo_add_test(main_test main_pages_test.cpp main_window_test.cpp fixed_clock.cpp temp_dir.cpp test_main.cpp
    LIBS main_lib)
add_dependencies(main_test UlvoRes aygshell)

# Main.exe as a program, from a copy of the install set in a temporary folder.
ulvo_add_test(main_process_test main_process_test.cpp process_driver.cpp temp_dir.cpp test_main.cpp)
add_dependencies(main_process_test Main UlvoRes aygshell)

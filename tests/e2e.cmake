# The installed programs across processes, as a user meets them: the Today screen stand-in with
# the item, a tap that starts the main program, and a settings save that reaches all of them.
ulvo_add_test(e2e_test e2e_test.cpp e2e_main.cpp process_driver.cpp temp_dir.cpp test_today_window.cpp today_registration.cpp LIBS ulvo_core todaycmn)
add_dependencies(e2e_test Main ulvo UlvoRes aygshell todayhost)

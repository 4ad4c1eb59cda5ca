# A Today item made only for the tests: exports ordinals 240 and 241 without names, as the
# device's shell expects, and writes what happens to it where the test can read it.
add_library(fake_today_item SHARED fake_today_item.cpp fake_today_item.def)
target_link_libraries(fake_today_item PRIVATE ulvo_flags todaycmn)
set_target_properties(fake_today_item PROPERTIES PREFIX "")
target_link_options(fake_today_item PRIVATE -static)

# The Today screen stand-in run as the device runs its shell: its own process, items from the
# registry, the test watching from outside.
ulvo_add_test(todayhost_test todayhost_test.cpp temp_dir.cpp today_registration.cpp test_main.cpp LIBS todayhost_core)
add_dependencies(todayhost_test todayhost fake_today_item)

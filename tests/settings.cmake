# The settings dialog with its storage and the Today item's notice; the About and Help
# dialogs with their layout switch. Both run Main's own dialogs in the test process.
if(NOT TARGET main_lib)
    return()
endif()

# Resources of the test alone, compiled without the C++ options.
add_library(about_help_test_res OBJECT relayout_test.rc)

ulvo_add_test(settings_test settings_test.cpp dialog_driver.cpp temp_dir.cpp test_main.cpp
    LIBS main_lib)
ulvo_add_test(about_help_test about_help_test.cpp dialog_driver.cpp test_main.cpp
    $<TARGET_OBJECTS:about_help_test_res> LIBS main_lib)

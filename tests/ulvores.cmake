# UlvoRes.dll, loaded from beside the test as the programs load it.
ulvo_add_test(ulvores_test ulvores_test.cpp temp_dir.cpp test_main.cpp)
add_dependencies(ulvores_test UlvoRes)

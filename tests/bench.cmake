# Short versions of the bench's soak, fuzz and concurrent-save runs: the hard properties only.
if(NOT TARGET bench_item_harness)
    return()
endif()

ulvo_add_test(bench_item_test bench_item_test.cpp test_main.cpp ${CMAKE_SOURCE_DIR}/resources/ulvo.rc
    LIBS bench_item_harness)
add_dependencies(bench_item_test UlvoRes)

# Beside the test: bench_item.exe reads during the concurrent saves and gives the item's side
# of the fuzz; bench_main.exe is the save loop that is ended and the fuzz batch made to fail.
ulvo_add_test(bench_main_test bench_main_test.cpp test_main.cpp LIBS bench_main_harness)
add_dependencies(bench_main_test UlvoRes bench_item bench_main)

# 64-bit Windows (x86_64): the same sources, for machines whose Wine cannot run the device's
# 32-bit programs.
set(ULVO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

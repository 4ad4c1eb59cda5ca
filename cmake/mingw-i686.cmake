# The device's 32-bit Windows target (i686).
set(ULVO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# Cross toolchain: 32-bit Windows (the product's primary build).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
# Windows 95 runs on a 386: the product uses that instruction set only, where
# the toolchain's default is the Pentium Pro's (CMOVcc and more). Tuned for
# the processors most users have.
set(CMAKE_C_FLAGS_INIT "-march=i386 -mtune=generic")
set(CMAKE_CXX_FLAGS_INIT "-march=i386 -mtune=generic")

# Cross toolchain: 32-bit Windows (the product's primary build).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
# Windows 95 runs on a 386: the product uses that instruction set only, where
# the toolchain's default is the Pentium Pro's (CMOVcc and more). Tuned for
# the processors most users have. Compile options rather than the cached
# initial flags, so that a build tree configured before keeps to them too.
set(TESSALANDER_PROCESSOR_OPTIONS -march=i386 -mtune=generic)

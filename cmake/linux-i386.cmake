# The portable core and its tests as 32-bit x86 Linux programs, run here
# under qemu-i386 (this kernel runs no 32-bit program itself): the 32-bit
# .scr's own code generation (cmake/mingw-i686.cmake), executed. Debian's
# 32-bit C and C++ libraries are built for the i686, so qemu emulates its
# default processor; the 386's instruction set stays proven on the .scr
# itself (pe.i686.i386_instructions).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
# The program's own code only, as in the .scr; GoogleTest is built before
# these apply (CMakeLists.txt).
set(TESSALANDER_PROCESSOR_OPTIONS -march=i386 -mtune=generic)

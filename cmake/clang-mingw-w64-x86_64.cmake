# Windows x64 with clang and lld, on the mingw-w64 headers and libraries and gcc's runtime
# libraries; a second compiler for the same program, cross from Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_SYSROOT /usr/${triple})

# clang does not recognise Debian's gcc directory name (12-posix) as a version, so neither
# libstdc++ nor libgcc is found on its own.
file(GLOB mingw_gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${triple}/*-posix)
if(NOT mingw_gcc_dirs)
  message(FATAL_ERROR "no /usr/lib/gcc/${triple}/*-posix: install g++-mingw-w64-x86-64-posix")
endif()
list(SORT mingw_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET mingw_gcc_dirs 0 mingw_gcc_dir)
set(cxx_include ${mingw_gcc_dir}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${cxx_include} -isystem ${cxx_include}/${triple} -isystem ${cxx_include}/backward")
# The posix libstdc++ needs winpthread. lld takes archive members in any order and only when
# referenced, so naming it first costs the freestanding exe nothing.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${mingw_gcc_dir} -lpthread")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(CMAKE_RC_COMPILER NAMES llvm-windres llvm-windres-14 PATHS /usr/lib/llvm-14/bin REQUIRED)
set(CMAKE_RC_FLAGS_INIT "--target=pe-x86-64 --preprocessor-arg=--sysroot=${CMAKE_SYSROOT}")
# Test programs run under Wine, on a private display and prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)

# Cross toolchain for the second Windows tree: clang for x86_64-w64-mingw32,
# with the headers, runtime libraries, resource compiler and linker of the
# MinGW-w64 install that the GCC tree uses, so both trees build the same
# program against the same Windows and C++ libraries.
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)

# Clang does not find Debian's MinGW GCC install (lib/gcc/x86_64-w64-mingw32/
# 12-posix) by itself: left alone it takes the host's C++ headers. The GCC
# driver says where its install is: the folder of libgcc holds the C++ headers
# and the runtime libraries.
execute_process(
  COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE KOVI_MINGW_LIBGCC
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${KOVI_MINGW_LIBGCC}")
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER} did not name its libgcc: ${KOVI_MINGW_LIBGCC}")
endif()
get_filename_component(KOVI_MINGW_GCC_DIR ${KOVI_MINGW_LIBGCC} DIRECTORY)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${KOVI_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${KOVI_MINGW_PREFIX})
set(CMAKE_SYSROOT ${CMAKE_FIND_ROOT_PATH})

# CMake reads a toolchain file more than once: the flags are set, not appended.
set(cxx_headers ${KOVI_MINGW_GCC_DIR}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "")
foreach(folder IN ITEMS ${cxx_headers} ${cxx_headers}/${KOVI_MINGW_PREFIX} ${cxx_headers}/backward)
  string(APPEND CMAKE_CXX_FLAGS_INIT " -stdlib++-isystem ${folder}")
endforeach()

# The runtime libraries come from the GCC install; -pthread puts winpthread,
# which libstdc++ and libgcc_eh need, into the group of runtime libraries that
# clang links statically.
#
# The linker is LLVM's. Clang emits the type information of the standard
# exception classes in every object that needs it, as "any" COMDATs of the
# exact size; GCC's libstdc++.a holds the same objects padded to 16 bytes as
# "same size" COMDATs. The contents agree, but GNU ld warns about every such
# pair ("duplicate section ... has different size", hundreds per build); lld
# in MinGW mode treats the two kinds alike and keeps one copy.
foreach(kind IN ITEMS EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KOVI_MINGW_GCC_DIR} -pthread")
endforeach()

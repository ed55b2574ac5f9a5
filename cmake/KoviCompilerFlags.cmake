# Compiler and linker settings of the project, each behind the compiler that
# understands it, so that a tree configured with another Windows compiler
# (MSVC's cl, clang-cl) carries none of the flags only GCC and MinGW accept.
# The Windows builds made and tested here are MinGW-w64 cross builds, with GCC
# and with clang (cmake/MingwClangToolchain.cmake); MINGW is true for both.
#
#   kovi_target_defaults(<target>)  warnings (as errors unless KOVI_WERROR is
#                                   OFF), the Windows character-set and version
#                                   macros.
#   kovi_wide_entry_point(<target>) the program starts at wWinMain or wmain.
# Included, it also makes the Windows programs link their runtime statically.
option(KOVI_WERROR "Treat compiler warnings as errors" ON)

# No runtime DLL may be needed at run time: the bundle is kovi.exe, the DLLs
# of the outside parts and data/, and a user's machine need not have a
# compiler's runtime installed.
if(MINGW)
  # libstdc++, libgcc and libwinpthread.
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -static")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " -static")
elseif(MSVC)
  # The static C and C++ runtime (/MT; /MTd in Debug) instead of VCRUNTIME140
  # and MSVCP140. The engine and the plugins are entered through C functions
  # only, so no runtime object crosses a DLL boundary.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# MSVC is true for cl and clang-cl alike; GCC and clang share the GCC set.
if(MSVC)
  set(KOVI_WARNING_OPTIONS /W4)
else()
  set(KOVI_WARNING_OPTIONS
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough)
endif()

function(kovi_target_defaults target)
  # Not for the resource compiler, which shares the target's options.
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:C,CXX>:${KOVI_WARNING_OPTIONS}>")
  # -Werror or /WX, whichever the compiler takes.
  set_property(TARGET ${target} PROPERTY COMPILE_WARNING_AS_ERROR ${KOVI_WERROR})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00
                                                 NOMINMAX WIN32_LEAN_AND_MEAN)
  endif()
endfunction()

# MinGW picks the start-up code of a wide entry point only with -municode;
# MSVC's linker finds wWinMain and wmain by itself.
function(kovi_wide_entry_point target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -municode)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

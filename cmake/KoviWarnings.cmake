# Compiler settings shared by every target of the project.
#   kovi_target_defaults(<target>)  warnings (as errors unless KOVI_WERROR is OFF),
#                                   the Windows character-set and version macros.
option(KOVI_WERROR "Treat compiler warnings as errors" ON)

function(kovi_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough)
  if(KOVI_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00
                                                 NOMINMAX WIN32_LEAN_AND_MEAN)
  endif()
endfunction()

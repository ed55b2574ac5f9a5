# Header checks: every header of a portable layer compiles on its own,
# warning-free, as each C++ standard that code including it may use.
#   kovi_add_header_checks(<layer> LIBS <targets...>)
#     For each header in the folder <layer>/ that does not include <windows.h>
#     (those belong to the Windows host, not to a portable layer), one
#     translation unit includes it alone, twice (its include guard holds). The
#     units are built as C++17 and as C++20 (object libraries
#     <layer>_headers_cxx17 / _cxx20, part of every build), with the include
#     folders and definitions of LIBS.
function(kovi_add_header_checks layer)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${layer}/*.h)
  list(SORT headers)
  set(sources)
  foreach(header IN LISTS headers)
    file(STRINGS ${PROJECT_SOURCE_DIR}/${header} windows_includes REGEX "#include <windows\\.h>")
    if(windows_includes)
      continue()
    endif()
    string(MAKE_C_IDENTIFIER ${header} unit)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${unit}.cc)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n#include \"${header}\"\n")
    list(APPEND sources ${source})
  endforeach()
  foreach(standard 17 20)
    set(target ${layer}_headers_cxx${standard})
    add_library(${target} OBJECT ${sources})
    set_target_properties(${target} PROPERTIES CXX_STANDARD ${standard})
    kovi_target_defaults(${target})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  endforeach()
endfunction()

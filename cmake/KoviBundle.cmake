# The folder a user ships, made by `cmake --install <tree> --prefix <folder>`:
# kovi.exe, every DLL it imports (flutter_windows.dll and the plugin DLLs, from
# the folders of cmake/KoviParts.cmake or the stand-ins) and data/ (laid out by
# cmake/KoviData.cmake). Nothing else of a tree is part of its default install:
# tests, tools and import libraries stay out. CPack zips the same folder:
# `cpack --config <tree>/CPackConfig.cmake` writes <tree>/kovi-<version>-win64.zip.
#
#   kovi_bundle(<executable>)
#     Installs the executable and the DLLs it imports; in the tree too, those
#     DLLs lie beside it (outside ones are copied there after each link).
if(NOT WIN32)
  return()
endif()

# Installing and packing build nothing: build kovi first. (CPack would
# otherwise build every target of the tree, the tests too, before each zip.)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

function(kovi_bundle executable)
  set(dlls $<REMOVE_DUPLICATES:$<TARGET_RUNTIME_DLLS:${executable}>>)
  add_custom_command(TARGET ${executable} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} $<TARGET_FILE_DIR:${executable}>
    COMMAND_EXPAND_LISTS)
  install(TARGETS ${executable} RUNTIME DESTINATION .)
  install(FILES ${dlls} DESTINATION .)
endfunction()

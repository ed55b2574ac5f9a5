# kovi_add_subfolders(): adds every sub-folder of the current folder that has a
# CMakeLists.txt, in name order, so a new stand-in, tool or test folder needs no
# edit of its parent.
function(kovi_add_subfolders)
  file(GLOB subfolders LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} *)
  list(SORT subfolders)
  foreach(sub IN LISTS subfolders)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/CMakeLists.txt)
      add_subdirectory(${sub})
    endif()
  endforeach()
endfunction()

# How the project's libraries and programs are declared: each in one call that
# states its sources, what it links and where it is built, with the project's
# compiler settings (kovi_target_defaults) and the source root as the root of
# every include ("encoding/method_call.h").
#
#   kovi_library(<name> [STATIC|SHARED|OBJECT|INTERFACE] SOURCES <files...>
#                [DEPS <targets...>] [PRIVATE_DEPS <targets...>] [ONLY <flags...>])
#     A library of the folder it is declared in. DEPS are linked PUBLIC (what
#     its headers need), PRIVATE_DEPS PRIVATE; an INTERFACE library has only
#     DEPS.
#   kovi_executable(<name> [GUI] [WIDE] SOURCES <files...> [DEPS <targets...>]
#                   [EMBEDDING <provider>] [ONLY <flags...>])
#     A program: GUI is a Windows GUI program, WIDE enters at wWinMain or wmain.
#     EMBEDDING picks the provider of the embedding library's C interface
#     (kovi_embedding_provider, cmake/KoviEmbedding.cmake).
#   ONLY names variables that must all be true for the target to be built here
#   (WIN32, LINUX, KOVI_STANDIN_PLUGINS, ...); the tree's platform and the
#   options of cmake/KoviOptions.cmake decide.
#
# The folder order: a library declared in a product folder (those added before
# kovi_write_folder_edges runs) records its DEPS and PRIVATE_DEPS, built here
# or not. kovi_write_folder_edges(<file>) writes, per product folder, the
# product folders its files may include from: those of its libraries' links
# among the product's libraries, and theirs in turn; links that make a cycle
# of folders stop the configure step. tests/layers checks every include
# against that file.

# True in <result> when every variable named is true.
function(kovi_only result)
  foreach(flag IN LISTS ARGN)
    if(NOT ${flag})
      set(${result} FALSE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} TRUE PARENT_SCOPE)
endfunction()

# The first component of the current folder below the source root.
function(kovi_current_folder result)
  file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${path}")
  set(${result} ${folder} PARENT_SCOPE)
endfunction()

function(kovi_library name)
  cmake_parse_arguments(ARG "STATIC;SHARED;OBJECT;INTERFACE" "" "SOURCES;DEPS;PRIVATE_DEPS;ONLY"
                        ${ARGN})
  kovi_current_folder(folder)
  set_property(GLOBAL APPEND PROPERTY KOVI_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY KOVI_FOLDER_OF_${name} ${folder})
  set_property(GLOBAL PROPERTY KOVI_DEPS_OF_${name} ${ARG_DEPS} ${ARG_PRIVATE_DEPS})
  kovi_only(built ${ARG_ONLY})
  if(NOT built)
    return()
  endif()
  if(ARG_INTERFACE)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  set(kind STATIC)
  foreach(other IN ITEMS SHARED OBJECT)
    if(ARG_${other})
      set(kind ${other})
    endif()
  endforeach()
  add_library(${name} ${kind} ${ARG_SOURCES})
  kovi_target_defaults(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

function(kovi_executable name)
  cmake_parse_arguments(ARG "GUI;WIDE" "EMBEDDING" "SOURCES;DEPS;ONLY" ${ARGN})
  kovi_only(built ${ARG_ONLY})
  if(NOT built)
    return()
  endif()
  set(gui "")
  if(ARG_GUI)
    set(gui WIN32)
  endif()
  add_executable(${name} ${gui} ${ARG_SOURCES})
  kovi_target_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  if(ARG_WIDE)
    kovi_wide_entry_point(${name})
  endif()
  if(ARG_EMBEDDING)
    kovi_embedding_provider(${name} ${ARG_EMBEDDING})
  endif()
endfunction()

function(kovi_write_folder_edges file)
  get_property(libraries GLOBAL PROPERTY KOVI_LIBRARIES)
  set(folders)
  foreach(library IN LISTS libraries)
    get_property(folder GLOBAL PROPERTY KOVI_FOLDER_OF_${library})
    list(APPEND folders ${folder})
    get_property(deps GLOBAL PROPERTY KOVI_DEPS_OF_${library})
    foreach(dep IN LISTS deps)
      if(dep IN_LIST libraries)
        get_property(dep_folder GLOBAL PROPERTY KOVI_FOLDER_OF_${dep})
        list(APPEND edges_${folder} ${dep_folder})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(rows)
  foreach(folder IN LISTS folders)
    # What the folder reaches through other folders, grown until a round adds
    # nothing. Reaching itself that way would be a cycle: no order at all.
    set(reach ${edges_${folder}})
    list(REMOVE_ITEM reach ${folder})
    set(count -1)
    set(length 0)
    while(NOT length EQUAL count)
      set(count ${length})
      foreach(next IN LISTS reach)
        list(APPEND reach ${edges_${next}})
      endforeach()
      list(REMOVE_DUPLICATES reach)
      if(folder IN_LIST reach)
        message(FATAL_ERROR "The product's folders link in a cycle: ${folder}/ reaches itself")
      endif()
      list(LENGTH reach length)
    endwhile()
    list(SORT reach)
    list(JOIN reach " " reach)
    list(APPEND rows "${folder} ${reach}")
  endforeach()
  list(JOIN rows "\n" rows)
  file(CONFIGURE OUTPUT ${file} CONTENT "${rows}\n")
endfunction()

# The parts of kovi's bundle that this source does not build for its users:
# the embedding library, the three plugin libraries and the compiled Dart
# application. In the Windows tree each comes from a folder named by a cache
# option or, while the option is empty, from its stand-in (standins/):
#
#   KOVI_ENGINE_DIR    flutter_windows.dll, with its import library where the
#                      engine ships one
#   KOVI_PLUGINS_DIR   the plugin DLLs (KOVI_PLUGINS), import
#                      libraries on the same rule
#   KOVI_APP_DATA_DIR  flutter_assets/, icudtl.dat and app.so, laid out as
#                      data/ beside kovi.exe (kovi_data_application)
#
# The folders are checked as this file is included, before any target exists:
# one that lacks a file it must hold stops the configure step, naming the file.
# An outside library becomes an IMPORTED target of its stand-in's name
# (flutter_windows, screen_retriever_plugin, ...), so what links it is the same
# either way. KOVI_STANDIN_ENGINE, KOVI_STANDIN_PLUGINS and KOVI_STANDIN_APP are
# true where the stand-in is the part in use (never in the Linux trees, which
# have none of these parts): only then do the stand-in folders build it and do
# the tests of that stand-in run.
#
# An import library is looked for as <name>.dll.lib and, for MinGW, also as
# lib<name>.dll.a; with MSVC a plugin's may also be <name>.lib, as CMake names
# it. MinGW's linker links the DLL itself when there is none; MSVC's linker
# cannot, so there the import library is a file the folder must hold.

# The application's plugins, in their registration order, the one list of
# them: per plugin its library (<name>.dll), its registrar key and its
# registration function. KOVI_PLUGIN_LIBRARIES, the libraries kovi.exe links,
# and the X-macro of embedding/plugin_list.h, which RegisterPlugins walks, are
# made from it.
set(KOVI_PLUGINS
  screen_retriever_plugin     ScreenRetrieverPlugin ScreenRetrieverPluginRegisterWithRegistrar
  url_launcher_windows_plugin UrlLauncherWindows    UrlLauncherWindowsRegisterWithRegistrar
  window_manager_plugin       WindowManagerPlugin   WindowManagerPluginRegisterWithRegistrar)

function(kovi_parts_plugin_libraries result)
  set(rows ${KOVI_PLUGINS})
  set(libraries)
  while(rows)
    list(POP_FRONT rows library key function)
    list(APPEND libraries ${library})
  endwhile()
  set(${result} ${libraries} PARENT_SCOPE)
endfunction()
kovi_parts_plugin_libraries(KOVI_PLUGIN_LIBRARIES)

set(KOVI_STANDIN_ENGINE OFF)
set(KOVI_STANDIN_PLUGINS OFF)
set(KOVI_STANDIN_APP OFF)
if(NOT WIN32)
  return()
endif()

set(KOVI_ENGINE_DIR "" CACHE PATH
    "Folder of a prebuilt flutter_windows.dll (empty: the stand-in)")
set(KOVI_PLUGINS_DIR "" CACHE PATH
    "Folder of the prebuilt plugin DLLs (empty: the stand-ins)")
set(KOVI_APP_DATA_DIR "" CACHE PATH
    "Folder of the compiled application: flutter_assets/, icudtl.dat, app.so (empty: the stand-in)")

# Stops the configure step unless the folder named by <option> holds every
# entry given; an entry ending in / is a folder.
function(kovi_parts_require option)
  set(folder ${${option}})
  foreach(entry IN LISTS ARGN)
    string(REGEX REPLACE "/$" "" name ${entry})
    if(entry MATCHES "/$")
      if(IS_DIRECTORY ${folder}/${name})
        continue()
      endif()
    elseif(EXISTS ${folder}/${name} AND NOT IS_DIRECTORY ${folder}/${name})
      continue()
    endif()
    # The leading blank keeps CMake from wrapping the line.
    message(FATAL_ERROR " ${option}: ${entry} is missing from ${folder}")
  endforeach()
endfunction()

# The import library of <name>.dll in the folder of <option>: the first one
# present, or the DLL itself for MinGW.
function(kovi_parts_import_library option name result)
  set(folder ${${option}})
  set(candidates ${name}.dll.lib)
  if(MINGW)
    list(APPEND candidates lib${name}.dll.a)
  elseif(option STREQUAL "KOVI_PLUGINS_DIR")
    # A plugin built by CMake with MSVC names its import library <name>.lib.
    list(APPEND candidates ${name}.lib)
  endif()
  foreach(candidate IN LISTS candidates)
    if(EXISTS ${folder}/${candidate})
      set(${result} ${folder}/${candidate} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  if(NOT MINGW)
    list(JOIN candidates " or " entry)
    kovi_parts_require(${option} "${entry}")
  endif()
  set(${result} ${folder}/${name}.dll PARENT_SCOPE)
endfunction()

# Checks the folder of <option> for the DLLs named and makes each an IMPORTED
# target of that name.
function(kovi_parts_import_dlls option)
  list(TRANSFORM ARGN APPEND .dll OUTPUT_VARIABLE dlls)
  kovi_parts_require(${option} ${dlls})
  foreach(name IN LISTS ARGN)
    kovi_parts_import_library(${option} ${name} import_library)
    add_library(${name} SHARED IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
      IMPORTED_LOCATION ${${option}}/${name}.dll
      IMPORTED_IMPLIB ${import_library})
  endforeach()
endfunction()

if(KOVI_ENGINE_DIR)
  kovi_parts_import_dlls(KOVI_ENGINE_DIR flutter_windows)
else()
  set(KOVI_STANDIN_ENGINE ON)
endif()

if(KOVI_PLUGINS_DIR)
  kovi_parts_import_dlls(KOVI_PLUGINS_DIR ${KOVI_PLUGIN_LIBRARIES})
else()
  set(KOVI_STANDIN_PLUGINS ON)
endif()

if(KOVI_APP_DATA_DIR)
  kovi_parts_require(KOVI_APP_DATA_DIR flutter_assets/ icudtl.dat app.so)
else()
  set(KOVI_STANDIN_APP ON)
endif()

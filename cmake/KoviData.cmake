# The Dart application's folder beside kovi.exe, as the engine project names it:
# data/flutter_assets/, data/icudtl.dat and data/app.so. Whoever provides their
# content adds it from any CMakeLists.txt processed after the folder's owner;
# building the owner lays all of it out, and installing the tree installs it as
# data/ beside the owner in the bundle.
#
#   kovi_data_folder(<executable>)
#     Makes the executable the owner of data/ beside it (kovi, once).
#   kovi_data_file(<name> <source> <path inside data>)
#     Copies a file (a path, or $<TARGET_FILE:...> of a target, which is then
#     built first) to data/<path inside data> whenever the owner is built.
#   kovi_data_directory(<name> <source folder> <path inside data>)
#     Copies a folder's content to data/<path inside data> whenever the owner
#     is built.
#   kovi_data_application(<app.so> <icudtl.dat> <flutter_assets folder>)
#     The compiled application's three parts, as data/app.so, data/icudtl.dat
#     and data/flutter_assets/ (copies app_so, icudtl_dat, flutter_assets).
#     Called once, by whoever provides the application: the stand-in
#     (standins/app) or the folder KOVI_APP_DATA_DIR (shell/).
# Each copy is a target kovi_data_<name>, for tests that need the file too.
function(kovi_data_folder executable)
  # The tree's one program folder (CMAKE_RUNTIME_OUTPUT_DIRECTORY), so the
  # tests beside kovi.exe find data/ too.
  set(folder ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/data)
  add_custom_target(kovi_data
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/flutter_assets
    COMMENT "Laying out the data folder beside ${executable}")
  add_dependencies(${executable} kovi_data)
  set_property(GLOBAL PROPERTY KOVI_DATA_OWNER ${executable})
  set_property(GLOBAL PROPERTY KOVI_DATA_FOLDER ${folder})
endfunction()

# Adds the copy target kovi_data_<name> to the owner's build; the caller
# has made it.
function(kovi_data_add_copy name)
  get_property(owner GLOBAL PROPERTY KOVI_DATA_OWNER)
  if(NOT owner)
    message(FATAL_ERROR "kovi_data_${name}: no data folder yet (kovi_data_folder comes first)")
  endif()
  add_dependencies(kovi_data_${name} kovi_data)
  add_dependencies(${owner} kovi_data_${name})
endfunction()

function(kovi_data_file name source destination)
  get_property(folder GLOBAL PROPERTY KOVI_DATA_FOLDER)
  add_custom_target(kovi_data_${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${folder}/${destination}
    VERBATIM)
  if(source MATCHES "^\\$<TARGET_FILE:([^>]+)>$")
    add_dependencies(kovi_data_${name} ${CMAKE_MATCH_1})
  endif()
  kovi_data_add_copy(${name})
  cmake_path(GET destination PARENT_PATH subfolder)
  cmake_path(GET destination FILENAME file_name)
  install(FILES ${source} DESTINATION data/${subfolder} RENAME ${file_name})
endfunction()

function(kovi_data_directory name source destination)
  get_property(folder GLOBAL PROPERTY KOVI_DATA_FOLDER)
  add_custom_target(kovi_data_${name}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${source} ${folder}/${destination}
    VERBATIM)
  kovi_data_add_copy(${name})
  install(DIRECTORY ${source}/ DESTINATION data/${destination})
endfunction()

function(kovi_data_application app_so icudtl_dat flutter_assets)
  kovi_data_file(app_so ${app_so} app.so)
  kovi_data_file(icudtl_dat ${icudtl_dat} icudtl.dat)
  kovi_data_directory(flutter_assets ${flutter_assets} flutter_assets)
endfunction()

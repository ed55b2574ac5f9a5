# The Dart application's folder beside kovi.exe, as the engine project names it:
# data/flutter_assets/, data/icudtl.dat and data/app.so, in the tree's program
# folder (so the tests beside kovi.exe find it too). Building kovi_data lays it
# out, and kovi depends on kovi_data; installing the tree installs it as data/
# beside kovi.exe in the bundle. Whoever provides the application adds its
# parts: the stand-in (standins/app) or the folder KOVI_APP_DATA_DIR (shell/).
#
#   kovi_data_file(<name> <source> <path inside data>)
#     Copies a file (a path, or $<TARGET_FILE:...> of a target, which is then
#     built first) to data/<path inside data>.
#   kovi_data_directory(<name> <source folder> <path inside data>)
#     Copies a folder's content to data/<path inside data>.
#   kovi_data_application(<app.so> <icudtl.dat> <flutter_assets folder>)
#     The compiled application's three parts, as data/app.so, data/icudtl.dat
#     and data/flutter_assets/ (copies app_so, icudtl_dat, flutter_assets).
# Each copy is a target kovi_data_<name>, for tests that need the file too.
if(NOT WIN32)
  return()
endif()

set(KOVI_DATA_FOLDER ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/data)
add_custom_target(kovi_data)

function(kovi_data_file name source destination)
  cmake_path(GET destination PARENT_PATH subfolder)
  cmake_path(GET destination FILENAME file_name)
  add_custom_target(kovi_data_${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KOVI_DATA_FOLDER}/${subfolder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${KOVI_DATA_FOLDER}/${destination}
    VERBATIM)
  if(source MATCHES "^\\$<TARGET_FILE:([^>]+)>$")
    add_dependencies(kovi_data_${name} ${CMAKE_MATCH_1})
  endif()
  add_dependencies(kovi_data kovi_data_${name})
  install(FILES ${source} DESTINATION data/${subfolder} RENAME ${file_name})
endfunction()

function(kovi_data_directory name source destination)
  add_custom_target(kovi_data_${name}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${source} ${KOVI_DATA_FOLDER}/${destination}
    VERBATIM)
  add_dependencies(kovi_data kovi_data_${name})
  install(DIRECTORY ${source}/ DESTINATION data/${destination})
endfunction()

function(kovi_data_application app_so icudtl_dat flutter_assets)
  kovi_data_file(app_so ${app_so} app.so)
  kovi_data_file(icudtl_dat ${icudtl_dat} icudtl.dat)
  kovi_data_directory(flutter_assets ${flutter_assets} flutter_assets)
endfunction()

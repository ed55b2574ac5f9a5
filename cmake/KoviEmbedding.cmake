# Who provides the embedding library's C interface (embedding/flutter_desktop.h,
# flutter_desktop_windows.h) to an executable.
#
# The layers that call the interface link kovi_embedding_api (embedding/) by
# name: declarations only. Its link interface names the provider that the final
# executable picks, so the provider lands after every layer on the link line.
#
#   kovi_embedding_provider(<executable> <provider>)
#     <provider> is one of
#       flutter_windows       the import library of flutter_windows.dll: the stand-in
#                             of standins/flutter_windows, or the engine of
#                             KOVI_ENGINE_DIR (cmake/KoviParts.cmake)
#       kovi_fake_embedding   the tests' recording fake (tests/support)
#     An executable that picks none may link no layer code that calls the interface.
function(kovi_embedding_provider target provider)
  set_property(TARGET ${target} PROPERTY KOVI_EMBEDDING_PROVIDER ${provider})
  target_link_libraries(${target} PRIVATE kovi_embedding_api)
endfunction()

# Test helpers.
#   kovi_add_test(<name> SOURCES <files...> LIBS <targets...> [EMBEDDING <provider>]
#                 [PROPERTIES <property> <value>...] [CXX_STANDARD <n>])
#     Builds a GoogleTest executable and registers each of its cases with CTest.
#     EMBEDDING picks the provider of the embedding library's C interface
#     (kovi_embedding_provider): a test of layers that call it names one.
#     PROPERTIES are set on every case, after the default TIMEOUT of 60 s (a
#     RESOURCE_LOCK, say).
#     In the Windows tree the cases run under Wine through CMAKE_CROSSCOMPILING_EMULATOR,
#     each requiring the fixture that holds the prefix's desktop (tests/CMakeLists.txt).
#     CXX_STANDARD builds it as that standard instead of the project's, for
#     headers that users include from newer code; its cases are named
#     c++<n>/<case> beside the project-standard build of the same sources.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(KOVI_GTEST_LIBS gtest_main gmock)
else()
  find_package(GTest REQUIRED)
  set(KOVI_GTEST_LIBS GTest::gtest_main GTest::gmock)
endif()

function(kovi_add_test name)
  cmake_parse_arguments(ARG "" "EMBEDDING;CXX_STANDARD" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kovi_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${KOVI_GTEST_LIBS})
  if(ARG_EMBEDDING)
    kovi_embedding_provider(${name} ${ARG_EMBEDDING})
  endif()
  set(prefix "")
  if(ARG_CXX_STANDARD)
    set_target_properties(${name} PROPERTIES CXX_STANDARD ${ARG_CXX_STANDARD})
    set(prefix "c++${ARG_CXX_STANDARD}/")
  endif()
  set(wine_desktop "")
  if(CMAKE_CROSSCOMPILING)
    set(wine_desktop FIXTURES_REQUIRED kovi_wine_desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       TEST_PREFIX "${prefix}" PROPERTIES TIMEOUT 60 ${wine_desktop} ${ARG_PROPERTIES})
endfunction()

# The tests: programs of GoogleTest cases, and scripts.
#   kovi_test(<name> SOURCES <files...> [DEPS <targets...>] [EMBEDDING <provider>]
#             [ONLY <flags...>] [PROPERTIES <property> <value>...] [CXX_STANDARD <n>])
#     A GoogleTest program of the folder it is declared in, built as one unit
#     (a unity build: the test framework's headers are compiled once per
#     program), registered with CTest. EMBEDDING picks the provider of the
#     embedding library's C interface (kovi_embedding_provider). ONLY as for
#     kovi_library. PROPERTIES are set on its CTest tests, after the defaults
#     (a RESOURCE_LOCK, say). CXX_STANDARD builds it as that standard instead
#     of the project's, for headers that code built with a newer one includes.
#   kovi_test(<name> SCRIPT <file> [ARGS <arguments...>] [ONLY <flags...>]
#             [PROPERTIES <property> <value>...])
#     A bash script as a CTest test (timeout 120 s unless PROPERTIES says),
#     with the tree's Wine prefixes.
#
# A program runs as one CTest test, all its cases in one process, and writes
# each case's result to <tree>/test-results/<name>.xml (gtest's XML), which
# scripts/test_summary.py counts. With KOVI_TEST_EACH_CASE every case is a
# CTest test of its own (named <name>/<case>) and a process of its own.
# Under Wine every test requires the fixture that holds the prefix's desktop
# (tests/CMakeLists.txt).
include(GoogleTest)

# Test code is compiled for a short build, not for speed: the code under test
# comes from the product's libraries, built as the tree says. Optimised, the
# tests took two to three times as long to compile (under the sanitizers most).
# Clang for MinGW takes -O1: unoptimised, it keeps libstdc++'s inline
# type_info::operator== as a definition of its own, which LLVM's linker refuses
# beside the one in libstdc++.a.
if(MSVC)
  set(KOVI_TEST_OPTIMIZATION "")
elseif(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(KOVI_TEST_OPTIMIZATION -O1)
else()
  set(KOVI_TEST_OPTIMIZATION -O0)
endif()

# GoogleTest: an installed package for the tree's target (libgtest-dev in the
# Linux trees; vcpkg's or another for Visual Studio), else built from its
# sources in KOVI_GTEST_SOURCE_DIR (Debian's googletest package, for the MinGW
# trees). With neither, the tests are off and the product still configures.
set(KOVI_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built when no installed GoogleTest is found")
if(KOVI_BUILD_TESTS)
  find_package(GTest QUIET)
  if(GTest_FOUND)
    set(KOVI_GTEST_LIBS GTest::gtest_main GTest::gmock)
  elseif(EXISTS ${KOVI_GTEST_SOURCE_DIR}/CMakeLists.txt)
    # The tree's runtime library choice (cmake/KoviCompilerFlags.cmake) holds.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KOVI_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(KOVI_GTEST_LIBS gtest_main gmock)
    # Built for a short build, as the tests are: half the time.
    foreach(library IN ITEMS gtest gtest_main gmock)
      target_compile_options(${library} PRIVATE ${KOVI_TEST_OPTIMIZATION})
    endforeach()
  else()
    message(STATUS "GoogleTest not found, as a package or in KOVI_GTEST_SOURCE_DIR: the tests are off")
    set(KOVI_BUILD_TESTS OFF)
  endif()
endif()

set(KOVI_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results)

# Under Wine, a tree's tests run in Wine prefixes of the tree's own
# (scripts/wine-env.sh), so two Windows trees' tests can run at once.
set(KOVI_TEST_ENVIRONMENT "")
if(CMAKE_CROSSCOMPILING)
  set(KOVI_TEST_ENVIRONMENT ENVIRONMENT KOVI_WINE_DIR=${CMAKE_BINARY_DIR})
endif()


function(kovi_test name)
  cmake_parse_arguments(ARG "" "EMBEDDING;CXX_STANDARD;SCRIPT" "SOURCES;DEPS;ONLY;PROPERTIES;ARGS"
                        ${ARGN})
  kovi_only(built KOVI_BUILD_TESTS ${ARG_ONLY})
  if(NOT built)
    return()
  endif()
  if(ARG_SCRIPT)
    add_test(NAME ${name} COMMAND bash ${ARG_SCRIPT} ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 ${KOVI_TEST_ENVIRONMENT} ${ARG_PROPERTIES})
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  kovi_target_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${KOVI_GTEST_LIBS})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  # The tests build and copy values a thousand levels deep in unoptimised
  # code: the main thread gets the 8 MiB a Linux program has, not Windows' 2.
  if(MINGW)
    target_link_options(${name} PRIVATE -Wl,--stack,8388608)
  elseif(MSVC)
    target_link_options(${name} PRIVATE /STACK:8388608)
  endif()
  if(ARG_EMBEDDING)
    kovi_embedding_provider(${name} ${ARG_EMBEDDING})
  endif()
  if(ARG_CXX_STANDARD)
    set_target_properties(${name} PROPERTIES CXX_STANDARD ${ARG_CXX_STANDARD})
  endif()
  set(properties TIMEOUT 600 ${KOVI_TEST_ENVIRONMENT})
  if(CMAKE_CROSSCOMPILING)
    list(APPEND properties FIXTURES_REQUIRED kovi_wine_desktop)
  endif()
  if(KOVI_TEST_EACH_CASE)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_PREFIX "${name}/"
                         PROPERTIES ${properties} TIMEOUT 60 ${ARG_PROPERTIES})
  else()
    # Relative to the test's working folder: a Windows program under Wine
    # reads an absolute Linux path as one on its current drive.
    file(RELATIVE_PATH results ${CMAKE_CURRENT_BINARY_DIR} ${KOVI_TEST_RESULTS}/${name}.xml)
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${results})
    set_tests_properties(${name} PROPERTIES ${properties} ${ARG_PROPERTIES})
  endif()
endfunction()

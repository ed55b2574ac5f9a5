# What a tree builds beyond the product: the named options a preset sets
# (CMakePresets.json). The platform decides which code can be built at all
# (the Windows host on Windows, the X11 mouse on Linux); these decide which
# checks a tree carries.
option(KOVI_BUILD_TESTS "Build the unit and system tests and register them with CTest" ON)
option(KOVI_TEST_EACH_CASE
       "Register every test case with CTest as a process of its own (default: one process per test program)"
       OFF)
option(KOVI_HEADER_CHECKS "Compile each portable header alone, as C++17 and as C++20" OFF)
option(KOVI_SOURCE_CHECKS
       "Check the sources, scripts and build rules: folder order, format, shellcheck, the scripts' own tests, an MSVC-style configure" OFF)
option(KOVI_SYSTEM_TESTS "Run the real kovi.exe under Wine on a virtual display (Windows trees)" OFF)
option(KOVI_FUZZ "Build everything with ASan and UBSan, and the libFuzzer targets (clang only)" OFF)
option(KOVI_BENCH "Build the encoding benchmarks (Linux only)" OFF)

if(KOVI_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KOVI_FUZZ needs clang: the fuzz targets link libFuzzer")
  endif()
  if(NOT KOVI_BUILD_TESTS)
    message(FATAL_ERROR "KOVI_FUZZ needs KOVI_BUILD_TESTS: the fuzz targets link the tests' fakes")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

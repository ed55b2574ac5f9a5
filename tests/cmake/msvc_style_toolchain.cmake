# A Windows tree as Visual Studio's tools would make it, for configure-only
# checks here: clang-cl, lld-link, llvm-lib, llvm-rc and llvm-mt in place of
# cl, link, lib, rc and mt (CMake sets MSVC and writes the link steps it uses
# with Visual Studio). There is no Windows SDK or MSVC runtime to link with,
# so CMake's compiler checks make static libraries; nothing can be built.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER clang-cl-14)
set(CMAKE_CXX_COMPILER clang-cl-14)
set(CMAKE_LINKER lld-link)
set(CMAKE_AR llvm-lib-14)
set(CMAKE_RC_COMPILER llvm-rc-14)
set(CMAKE_MT llvm-mt-14)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# Packages and libraries only for the target: none are here, so the host's
# GoogleTest is not taken for a Windows one.
set(CMAKE_FIND_ROOT_PATH ${CMAKE_CURRENT_LIST_DIR}/no-windows-sysroot)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

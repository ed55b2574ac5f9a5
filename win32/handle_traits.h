// The kinds of Win32 handle this project owns: for each, the handle type, its
// empty value and the one call that releases it, and the ScopedHandle that
// owns it. Windows are owned by OwnedWindow (owned_window.h) instead: their
// end involves messages to the object they belong to.
#ifndef KOVI_WIN32_HANDLE_TRAITS_H_
#define KOVI_WIN32_HANDLE_TRAITS_H_

#include <windows.h>

#include "win32/scoped_handle.h"

// The common case: a handle type whose empty value is null.
template <typename HandleType>
struct NullEmptyHandle {
  using Handle = HandleType;
  static Handle Empty() { return nullptr; }
  static bool IsEmpty(Handle handle) { return handle == nullptr; }
};

// Kernel objects: files, pipes, events, processes, threads. CreateFileW fails
// with INVALID_HANDLE_VALUE, the others with null: both count as empty.
struct KernelHandleTraits : NullEmptyHandle<HANDLE> {
  static bool IsEmpty(Handle handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
  static void Release(Handle handle) { CloseHandle(handle); }
};
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;

// A loaded library (LoadLibraryW, LoadLibraryExW), also one loaded as data.
struct ModuleTraits : NullEmptyHandle<HMODULE> {
  static void Release(Handle handle) { FreeLibrary(handle); }
};
using ScopedModule = ScopedHandle<ModuleTraits>;

// An opened or created registry key; never one of the predefined roots.
struct RegistryKeyTraits : NullEmptyHandle<HKEY> {
  static void Release(Handle handle) { RegCloseKey(handle); }
};
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;

// Memory the system allocated for the caller with LocalAlloc, seen as a T*
// (CommandLineToArgvW's wchar_t* array, for one).
template <typename T>
struct LocalMemoryTraits : NullEmptyHandle<T*> {
  static void Release(T* memory) { LocalFree(memory); }
};
template <typename T>
using ScopedLocalMemory = ScopedHandle<LocalMemoryTraits<T>>;

// A GDI object the caller created (a brush, a pen, a font, a bitmap) and has
// selected out of every device context again.
template <typename T>
struct GdiObjectTraits : NullEmptyHandle<T> {
  static void Release(T object) { DeleteObject(object); }
};
template <typename T>
using ScopedGdiObject = ScopedHandle<GdiObjectTraits<T>>;

#endif  // KOVI_WIN32_HANDLE_TRAITS_H_

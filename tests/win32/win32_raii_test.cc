// The Win32 ownership vocabulary over real handles and windows: each handle
// kind is released exactly when its owner lets go, and an owned window ends
// the same way whoever ends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "win32/handle_traits.h"
#include "win32/owned_window.h"

namespace {

// One handle kind: how a test gets a fresh handle of it and sees it alive.
template <typename Traits>
struct HandleKind {
  const char* name;
  std::function<typename Traits::Handle()> acquire;
  std::function<bool(typename Traits::Handle)> alive;
};

// Moves the handle through two owners, gives it up and takes it back, then
// lets the last owner go: alive until then, released afterwards.
template <typename Traits>
void CheckOwnership(const HandleKind<Traits>& kind) {
  SCOPED_TRACE(kind.name);
  const typename Traits::Handle handle = kind.acquire();
  ASSERT_TRUE(kind.alive(handle));
  {
    ScopedHandle<Traits> first(handle);
    ScopedHandle<Traits> second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), handle);
    ScopedHandle<Traits> third(second.release());
    EXPECT_FALSE(second);
    EXPECT_TRUE(kind.alive(handle)) << "given up, not released";
    second = std::move(third);
    EXPECT_TRUE(kind.alive(handle));
  }
  EXPECT_FALSE(kind.alive(handle));

  const typename Traits::Handle replaced = kind.acquire();
  ScopedHandle<Traits> owner(replaced);
  owner.reset(kind.acquire());
  EXPECT_FALSE(kind.alive(replaced)) << "reset releases the handle it replaces";
}

TEST(ScopedHandle, ReleasesEachKindOnceItsLastOwnerLetsGo) {
  CheckOwnership(HandleKind<KernelHandleTraits>{
      "event", [] { return CreateEventW(nullptr, TRUE, FALSE, nullptr); },
      [](HANDLE event) {
        DWORD flags = 0;
        return GetHandleInformation(event, &flags) != FALSE;
      }});
  // Each load as data maps the file anew, so each handle is a mapping of its
  // own; unless the library is loaded as an image already, hence one this
  // process has no use for.
  CheckOwnership(HandleKind<ModuleTraits>{
      "library loaded as data",
      [] { return LoadLibraryExW(L"msimg32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE); },
      [](HMODULE module) {
        MEMORY_BASIC_INFORMATION mapping{};
        const auto base = reinterpret_cast<uintptr_t>(module) & ~uintptr_t{3};
        return VirtualQuery(reinterpret_cast<void*>(base), &mapping, sizeof(mapping)) != 0 &&
               mapping.State == MEM_COMMIT;
      }});
  CheckOwnership(HandleKind<RegistryKeyTraits>{
      "registry key",
      [] {
        HKEY key = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key);
        return key;
      },
      [](HKEY key) {
        return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
      }});
  CheckOwnership(HandleKind<LocalMemoryTraits<void>>{
      "local memory", [] { return LocalAlloc(LMEM_MOVEABLE, 16); },
      [](HLOCAL memory) { return LocalFlags(memory) != LMEM_INVALID_HANDLE; }});
  CheckOwnership(
      HandleKind<GdiObjectTraits<HBRUSH>>{"brush", [] { return CreateSolidBrush(RGB(1, 2, 3)); },
                                          [](HBRUSH brush) { return GetObjectType(brush) != 0; }});
  // A failed call's result is never released.
  ScopedKernelHandle invalid(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(invalid);
}

constexpr wchar_t kBoundClass[] = L"KOVI_WIN32_RAII_TEST";

WindowCreation Creation(const wchar_t* class_name, DWORD style, HWND parent) {
  WindowCreation creation;
  creation.class_name = class_name;
  creation.style = style;
  creation.width = 50;
  creation.height = 50;
  creation.parent = parent;
  creation.instance = GetModuleHandleW(nullptr);
  return creation;
}

// How a child window's life ends, before its owner goes or with it.
TEST(OwnedWindow, TheWindowEndsOnceWhoeverEndsIt) {
  ASSERT_TRUE(OwnedWindow::RegisterBoundClass(GetModuleHandleW(nullptr), kBoundClass));
  const struct {
    const char* name;
    const wchar_t* class_name;  // kBoundClass, or a system class: not bound
    std::function<void(OwnedWindow& window, OwnedWindow& parent)> end;
    bool heard_destroy;  // the handler was told of the destruction
  } endings[] = {
      {"its owner goes", kBoundClass, [](OwnedWindow&, OwnedWindow&) {}, false},
      {"Destroy", kBoundClass, [](OwnedWindow& window, OwnedWindow&) { window.Destroy(); }, true},
      {"closed as a user would", kBoundClass,
       [](OwnedWindow& window, OwnedWindow&) { SendMessageW(window.get(), WM_CLOSE, 0, 0); }, true},
      {"its parent goes", kBoundClass, [](OwnedWindow&, OwnedWindow& parent) { parent.Destroy(); },
       true},
      {"unbound, its owner goes", L"STATIC", [](OwnedWindow&, OwnedWindow&) {}, false},
      {"unbound, its parent goes", L"STATIC",
       [](OwnedWindow&, OwnedWindow& parent) { parent.Destroy(); }, false},
  };
  for (const auto& ending : endings) {
    SCOPED_TRACE(ending.name);
    const bool bound = ending.class_name == kBoundClass;
    OwnedWindow parent;
    ASSERT_TRUE(parent.Create(Creation(L"STATIC", WS_OVERLAPPED, nullptr), nullptr));
    std::vector<UINT> heard;
    HWND hwnd = nullptr;
    {
      OwnedWindow window;
      ASSERT_TRUE(window.Create(Creation(ending.class_name, WS_CHILD, parent.get()),
                                [&heard](HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
                                  heard.push_back(message);
                                  return DefWindowProcW(target, message, wparam, lparam);
                                }));
      hwnd = window.get();
      ASSERT_TRUE(IsWindow(hwnd));
      ending.end(window, parent);
      if (bound && !IsWindow(hwnd)) {
        EXPECT_EQ(window.get(), nullptr) << "a bound window knows it is gone";
      }
    }
    EXPECT_FALSE(IsWindow(hwnd));
    if (!bound) {
      EXPECT_TRUE(heard.empty());
      continue;
    }
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), static_cast<UINT>(WM_NCCREATE));
    const bool heard_destroy = std::find(heard.begin(), heard.end(), WM_DESTROY) != heard.end();
    EXPECT_EQ(heard_destroy, ending.heard_destroy);
    if (heard_destroy) {
      EXPECT_EQ(heard.back(), static_cast<UINT>(WM_NCDESTROY));
    }
  }
}

}  // namespace

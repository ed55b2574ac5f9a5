#include "standins/flutter_windows/module_instance.h"

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
  return module;
}

bool RegisterModuleWindowClass(const wchar_t* class_name, WNDPROC procedure) {
  WNDCLASSW existing{};
  if (GetClassInfoW(ModuleInstance(), class_name, &existing)) {
    return true;
  }
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ModuleInstance();
  window_class.lpszClassName = class_name;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  return RegisterClassW(&window_class) != 0;
}

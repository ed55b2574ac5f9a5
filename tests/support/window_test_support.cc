#include "tests/support/window_test_support.h"

#include "window/window_class_registration.h"

namespace {

constexpr const wchar_t* kPersonalizeKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kLightThemeValue = L"AppsUseLightTheme";

std::vector<AttributeCall>& RecordedCalls() {
  static std::vector<AttributeCall> calls;
  return calls;
}

HRESULT WINAPI RecordAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
  BOOL flag = -1;
  if (value != nullptr && size == sizeof(BOOL)) {
    flag = *static_cast<const BOOL*>(value);
  }
  RecordedCalls().push_back({window, attribute, flag, size});
  return S_OK;
}

}  // namespace

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PrintTo(const RECT& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

RECT WindowBounds(HWND hwnd) {
  RECT bounds{};
  GetWindowRect(hwnd, &bounds);
  return bounds;
}

RECT ChildBounds(HWND child) {
  RECT bounds = WindowBounds(child);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// Zeroed when the class is not registered.
WNDCLASSW WindowClassInfo() {
  WNDCLASSW window_class{};
  GetClassInfoW(GetModuleHandleW(nullptr), WindowClassRegistration::kClassName, &window_class);
  return window_class;
}

bool WindowClassRegistered() {
  return WindowClassInfo().lpfnWndProc != nullptr;
}

void DiscardQuitMessages() {
  while (TakeQuitMessage()) {
  }
}

bool TakeQuitMessage() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

ParkedChild::ParkedChild() {
  WindowCreation parking;
  parking.class_name = L"STATIC";
  parking.title = L"parking";
  parking.style = WS_OVERLAPPED;
  parking.width = 50;
  parking.height = 50;
  parking.instance = GetModuleHandleW(nullptr);
  parking_.Create(parking, nullptr);
  WindowCreation child = parking;
  child.title = L"content";
  child.style = WS_CHILD | WS_VISIBLE;
  child.width = 10;
  child.height = 10;
  child.parent = parking_.get();
  child_.Create(child, nullptr);
}

ThemeRecorder::ThemeRecorder() : previous_(SetWindowAttributeSetterForTesting(&RecordAttribute)) {
  Clear();
}

ThemeRecorder::~ThemeRecorder() {
  SetWindowAttributeSetterForTesting(previous_);
}

std::vector<AttributeCall> ThemeRecorder::Calls() const {
  return RecordedCalls();
}

void ThemeRecorder::Clear() {
  RecordedCalls().clear();
}

ScopedLightThemeValue::ScopedLightThemeValue() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                  &key, &disposition);
  key_.reset(key);
  created_key_ = disposition == REG_CREATED_NEW_KEY;
  DWORD size = 0;
  if (RegQueryValueExW(key_.get(), kLightThemeValue, nullptr, &original_type_, nullptr, &size) ==
      ERROR_SUCCESS) {
    original_.resize(size);
    had_original_ = RegQueryValueExW(key_.get(), kLightThemeValue, nullptr, &original_type_,
                                     original_.data(), &size) == ERROR_SUCCESS;
  }
}

ScopedLightThemeValue::~ScopedLightThemeValue() {
  if (had_original_) {
    RegSetValueExW(key_.get(), kLightThemeValue, 0, original_type_, original_.data(),
                   static_cast<DWORD>(original_.size()));
  } else {
    RegDeleteValueW(key_.get(), kLightThemeValue);
  }
  key_.reset();
  if (created_key_) {
    RegDeleteKeyW(HKEY_CURRENT_USER, kPersonalizeKey);
  }
}

void ScopedLightThemeValue::Set(std::optional<DWORD> value) {
  if (!value) {
    RegDeleteValueW(key_.get(), kLightThemeValue);
    return;
  }
  RegSetValueExW(key_.get(), kLightThemeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                 sizeof(DWORD));
}

void ScopedLightThemeValue::SetText(const std::wstring& text) {
  RegSetValueExW(key_.get(), kLightThemeValue, 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

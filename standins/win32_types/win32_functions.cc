// The capture's Win32 functions off Windows: there is no raw input, no timer
// and no mouse setting to change, so every call fails or does nothing; the
// debugger lines go to the standard error stream.
#include <cstdio>

#include <windows.h>

namespace {
constexpr UINT kFailed = static_cast<UINT>(-1);
}  // namespace

UINT WINAPI GetRawInputData(HRAWINPUT, UINT, LPVOID, PUINT, UINT) {
  return kFailed;
}
BOOL WINAPI RegisterRawInputDevices(PCRAWINPUTDEVICE, UINT, UINT) {
  return FALSE;
}
UINT WINAPI GetRawInputDeviceInfoW(HANDLE, UINT, LPVOID, PUINT) {
  return kFailed;
}
UINT_PTR WINAPI SetTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
  return 0;
}
BOOL WINAPI KillTimer(HWND, UINT_PTR) {
  return FALSE;
}
BOOL WINAPI SystemParametersInfoW(UINT, UINT, PVOID, UINT) {
  return FALSE;
}
MMRESULT WINAPI timeBeginPeriod(UINT) {
  return TIMERR_NOERROR;
}
MMRESULT WINAPI timeEndPeriod(UINT) {
  return TIMERR_NOERROR;
}

void WINAPI OutputDebugStringW(LPCWSTR text) {
  std::fprintf(stderr, "%ls", text);
  std::fflush(stderr);
}

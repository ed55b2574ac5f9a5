#include "capture/capture_log.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "capture/capture_system_api.h"

// Formats use %ls for the wide device name: it means a wide string both to the
// MSVC runtime and to the ISO printf that MinGW uses (where %s is narrow).

namespace {

constexpr UINT kQueryFailed = static_cast<UINT>(-1);

static_assert(sizeof(RID_DEVICE_INFO) == 32, "the device information record is 32 bytes");

void Write(const wchar_t* line) {
  CaptureSystem().output_debug_string(line);
}

// Writes a device line whose only part of unbounded length is the name: the
// format takes the name as "%.*ls" first, then `values`. The line is formatted
// once with an empty name to learn the room its other parts leave, and again
// with the name cut to that room, so it never exceeds its buffer and always
// keeps its tail, line feed and terminator.
template <typename... Values>
void WriteDeviceLine(const wchar_t* format, const std::wstring& name, Values... values) {
  wchar_t line[kDeviceLineChars];
  const int fixed_length = std::swprintf(line, kDeviceLineChars, format, 0, L"", values...);
  if (fixed_length < 0) {
    return;
  }
  const size_t room = kDeviceLineChars - 1 - static_cast<size_t>(fixed_length);
  const int name_length = static_cast<int>(std::min(name.size(), room));
  std::swprintf(line, kDeviceLineChars, format, name_length, name.c_str(), values...);
  Write(line);
}

}  // namespace

void LogRawDevice(HANDLE device) {
  const CaptureSystemApi& system = CaptureSystem();
  UINT name_length = 0;
  system.get_raw_input_device_info(device, RIDI_DEVICENAME, nullptr, &name_length);
  if (name_length == 0) {
    Write(L"[KOVI] RAW device: unknown (no name)\n");
    return;
  }
  std::wstring name(name_length, L'\0');
  if (system.get_raw_input_device_info(device, RIDI_DEVICENAME, name.data(), &name_length) ==
      kQueryFailed) {
    Write(L"[KOVI] RAW device: unknown (name failed)\n");
    return;
  }
  RID_DEVICE_INFO info = {};
  info.cbSize = sizeof(info);
  UINT info_size = sizeof(info);
  if (system.get_raw_input_device_info(device, RIDI_DEVICEINFO, &info, &info_size) ==
      kQueryFailed) {
    Write(L"[KOVI] RAW device: unknown (info failed)\n");
    return;
  }
  if (!name.empty() && name.back() == L'\0') {
    name.pop_back();
  }
  switch (info.dwType) {
    case RIM_TYPEMOUSE:
      WriteDeviceLine(L"[KOVI] RAW device: %.*ls | RIM_TYPEMOUSE\n", name);
      break;
    case RIM_TYPEHID:
      WriteDeviceLine(
          L"[KOVI] RAW device: %.*ls | HID vid=%04x pid=%04x usagePage=%u usage=%u\n", name,
          static_cast<unsigned>(info.hid.dwVendorId), static_cast<unsigned>(info.hid.dwProductId),
          static_cast<unsigned>(info.hid.usUsagePage), static_cast<unsigned>(info.hid.usUsage));
      break;
    default:
      WriteDeviceLine(L"[KOVI] RAW device: %.*ls | type=%u\n", name,
                      static_cast<unsigned>(info.dwType));
      break;
  }
}

void LogPacketRate(uint64_t packets) {
  wchar_t line[kRateLineChars];
  std::swprintf(line, kRateLineChars, L"[KOVI] RAW mouse packets/sec: %llu\n",
                static_cast<unsigned long long>(packets));
  Write(line);
}

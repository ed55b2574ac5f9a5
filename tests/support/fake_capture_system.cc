#include "tests/support/fake_capture_system.h"

#include <cstring>
#include <sstream>

namespace {

constexpr UINT kFailed = static_cast<UINT>(-1);

std::string Hex(uint64_t value) {
  std::ostringstream text;
  text << "0x" << std::hex << value;
  return text.str();
}

std::string Hex(const void* pointer) {
  return Hex(reinterpret_cast<uintptr_t>(pointer));
}

std::string Params(const int32_t* params) {
  return "{" + std::to_string(params[0]) + ", " + std::to_string(params[1]) + ", " +
         std::to_string(params[2]) + "}";
}

}  // namespace

FakeCaptureSystem* FakeCaptureSystem::active_ = nullptr;

FakeCaptureSystem::FakeCaptureSystem() {
  active_ = this;
  const CaptureSystemApi api = {
      &GetRawInputData,    &RegisterRawInputDevices, &GetRawInputDeviceInfoW, &SetTimer,
      &KillTimer,          &SystemParametersInfoW,   &TimeBeginPeriod,        &TimeEndPeriod,
      &OutputDebugStringW, &SteadyClockMs,
  };
  installed_.emplace(api);
}

FakeCaptureSystem::~FakeCaptureSystem() {
  installed_.reset();
  active_ = nullptr;
}

FakeCaptureSystem::Record FakeCaptureSystem::MakeRecord(DWORD type, HANDLE device, UINT size) {
  Record record;
  record.announced_size = size;
  record.bytes.assign(size < sizeof(RAWINPUTHEADER) ? sizeof(RAWINPUTHEADER) : size, 0);
  const RAWINPUTHEADER header = {type, size, device, 0};
  std::memcpy(record.bytes.data(), &header, sizeof(header));
  record.bytes.resize(size);
  return record;
}

HRAWINPUT FakeCaptureSystem::AddRecord(Record record) {
  records_.push_back(std::move(record));
  return reinterpret_cast<HRAWINPUT>(records_.size());
}

HRAWINPUT FakeCaptureSystem::AddMouseRecord(HANDLE device) {
  return AddRecord(MakeRecord(RIM_TYPEMOUSE, device));
}

void FakeCaptureSystem::AddDevice(HANDLE handle, Device device) {
  devices_[handle] = std::move(device);
}

FakeCaptureSystem::Device FakeCaptureSystem::MouseDevice(const std::wstring& name) {
  Device device;
  device.name = name + L'\0';
  device.info.cbSize = sizeof(device.info);
  device.info.dwType = RIM_TYPEMOUSE;
  return device;
}

FakeCaptureSystem::Device FakeCaptureSystem::HidDevice(const std::wstring& name, DWORD vendor,
                                                       DWORD product, USHORT usage_page,
                                                       USHORT usage) {
  Device device = MouseDevice(name);
  device.info.dwType = RIM_TYPEHID;
  device.info.hid = {vendor, product, 0, usage_page, usage};
  return device;
}

FakeCaptureSystem::Device FakeCaptureSystem::KeyboardDevice(const std::wstring& name) {
  Device device = MouseDevice(name);
  device.info.dwType = RIM_TYPEKEYBOARD;
  return device;
}

// Like Windows: a null buffer asks for the size; a buffer smaller than the
// record fails; otherwise the record is copied and its size returned.
UINT WINAPI FakeCaptureSystem::GetRawInputData(HRAWINPUT input, UINT command, LPVOID data,
                                               PUINT size, UINT header_size) {
  FakeCaptureSystem& self = *active_;
  self.reads.push_back({input, command, data != nullptr, *size, header_size});
  const size_t index = reinterpret_cast<uintptr_t>(input) - 1;
  if (index >= self.records_.size()) {
    return kFailed;
  }
  const Record& record = self.records_[index];
  if (data == nullptr) {
    *size = record.announced_size;
    return 0;
  }
  if (*size < record.bytes.size()) {
    return kFailed;
  }
  std::memcpy(data, record.bytes.data(), record.bytes.size());
  return record.read_result.value_or(static_cast<UINT>(record.bytes.size()));
}

BOOL WINAPI FakeCaptureSystem::RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count,
                                                       UINT size) {
  active_->calls.push_back("RegisterRawInputDevices(page=" + std::to_string(devices->usUsagePage) +
                           " usage=" + std::to_string(devices->usUsage) + " flags=" +
                           Hex(devices->dwFlags) + " target=" + Hex(devices->hwndTarget) + ", " +
                           std::to_string(count) + ", " + std::to_string(size) + ")");
  return active_->register_result;
}

UINT WINAPI FakeCaptureSystem::GetRawInputDeviceInfoW(HANDLE handle, UINT command, LPVOID data,
                                                      PUINT size) {
  FakeCaptureSystem& self = *active_;
  ++self.device_queries;
  const auto found = self.devices_.find(handle);
  if (found == self.devices_.end()) {
    return kFailed;
  }
  const Device& device = found->second;
  if (command == RIDI_DEVICENAME) {
    const UINT length = device.reported_length.value_or(static_cast<UINT>(device.name.size()));
    if (data == nullptr) {
      *size = length;
      return 0;
    }
    if (device.name_fails || *size < length) {
      return kFailed;
    }
    std::memcpy(data, device.name.data(), length * sizeof(wchar_t));
    return length;
  }
  if (command == RIDI_DEVICEINFO && !device.info_fails && data != nullptr &&
      *size >= sizeof(RID_DEVICE_INFO)) {
    std::memcpy(data, &device.info, sizeof(RID_DEVICE_INFO));
    return sizeof(RID_DEVICE_INFO);
  }
  return kFailed;
}

UINT_PTR WINAPI FakeCaptureSystem::SetTimer(HWND hwnd, UINT_PTR id, UINT period,
                                            TIMERPROC callback) {
  active_->calls.push_back("SetTimer(" + Hex(hwnd) + ", " + Hex(id) + ", " +
                           std::to_string(period) + ", " +
                           (callback == nullptr ? "null" : "callback") + ")");
  return id;
}

BOOL WINAPI FakeCaptureSystem::KillTimer(HWND hwnd, UINT_PTR id) {
  active_->calls.push_back("KillTimer(" + Hex(hwnd) + ", " + Hex(id) + ")");
  return TRUE;
}

BOOL WINAPI FakeCaptureSystem::SystemParametersInfoW(UINT action, UINT param, PVOID data,
                                                     UINT flags) {
  FakeCaptureSystem& self = *active_;
  int32_t* params = static_cast<int32_t*>(data);
  if (action == SPI_GETMOUSE) {
    self.calls.push_back("SystemParametersInfoW(SPI_GETMOUSE, " + std::to_string(param) + ", " +
                         std::to_string(flags) + ")");
    if (self.get_mouse_result) {
      std::memcpy(params, self.mouse_params, sizeof(self.mouse_params));
    }
    return self.get_mouse_result;
  }
  self.calls.push_back(
      std::string("SystemParametersInfoW(") + (action == SPI_SETMOUSE ? "SPI_SETMOUSE" : "other") +
      ", " + std::to_string(param) + ", " + Params(params) + ", " + std::to_string(flags) + ")");
  std::memcpy(self.mouse_params, params, sizeof(self.mouse_params));
  return TRUE;
}

MMRESULT WINAPI FakeCaptureSystem::TimeBeginPeriod(UINT period) {
  active_->calls.push_back("timeBeginPeriod(" + std::to_string(period) + ")");
  return TIMERR_NOERROR;
}

MMRESULT WINAPI FakeCaptureSystem::TimeEndPeriod(UINT period) {
  active_->calls.push_back("timeEndPeriod(" + std::to_string(period) + ")");
  return TIMERR_NOERROR;
}

void WINAPI FakeCaptureSystem::OutputDebugStringW(LPCWSTR line) {
  active_->debug_lines.emplace_back(line);
}

uint64_t FakeCaptureSystem::SteadyClockMs() {
  return active_->now_ms;
}

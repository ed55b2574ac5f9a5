// FakeCaptureSystem: a recording stand-in for the capture's system table. While
// it lives it is the table in use; it serves raw input records and device
// descriptions that a test adds, answers the registration and the mouse
// parameter calls as configured, keeps a clock the test moves, and records
// every call with its arguments. One at a time; test thread only.
#ifndef KOVI_TESTS_SUPPORT_FAKE_CAPTURE_SYSTEM_H_
#define KOVI_TESTS_SUPPORT_FAKE_CAPTURE_SYSTEM_H_

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_system_api.h"

// The window the tests give the capture, 0x1234 in the calls it makes.
inline const HWND kCaptureWindow = reinterpret_cast<HWND>(0x1234);

class FakeCaptureSystem {
 public:
  // One raw input record, read through the handle AddRecord gives.
  struct Record {
    UINT announced_size = 0;          // what the size query reports
    std::vector<uint8_t> bytes;       // what a read copies
    std::optional<UINT> read_result;  // replaces the read's result (bytes copied)
  };

  // One device, described through its handle.
  struct Device {
    std::wstring name;                    // as stored by the system, terminator included
    std::optional<UINT> reported_length;  // replaces the name length query's answer
    bool name_fails = false;
    bool info_fails = false;
    RID_DEVICE_INFO info = {};
  };

  // One call of GetRawInputData.
  struct Read {
    HRAWINPUT input;
    UINT command;
    bool with_buffer;
    UINT size;  // the size variable on entry
    UINT header_size;
  };

  FakeCaptureSystem();
  ~FakeCaptureSystem();
  FakeCaptureSystem(const FakeCaptureSystem&) = delete;
  FakeCaptureSystem& operator=(const FakeCaptureSystem&) = delete;

  // A record of `size` bytes (at least a header) with the given type and device.
  static Record MakeRecord(DWORD type, HANDLE device, UINT size = sizeof(RAWINPUT));
  HRAWINPUT AddRecord(Record record);
  HRAWINPUT AddMouseRecord(HANDLE device = nullptr);
  void AddDevice(HANDLE handle, Device device);

  // Mouse, HID and keyboard devices with the given name (terminator added).
  static Device MouseDevice(const std::wstring& name);
  static Device HidDevice(const std::wstring& name, DWORD vendor, DWORD product, USHORT usage_page,
                          USHORT usage);
  static Device KeyboardDevice(const std::wstring& name);

  // The calls that change system state, in order, e.g. "timeBeginPeriod(1)".
  // Reads, device queries, debug output and the clock are kept apart.
  std::vector<std::string> calls;
  std::vector<Read> reads;
  std::vector<std::wstring> debug_lines;
  int device_queries = 0;

  BOOL register_result = TRUE;
  BOOL get_mouse_result = TRUE;
  // The user's mouse parameters: read by SPI_GETMOUSE, written by SPI_SETMOUSE.
  int32_t mouse_params[3] = {6, 10, 1};
  uint64_t now_ms = 100000;

 private:
  static UINT WINAPI GetRawInputData(HRAWINPUT input, UINT command, LPVOID data, PUINT size,
                                     UINT header_size);
  static BOOL WINAPI RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size);
  static UINT WINAPI GetRawInputDeviceInfoW(HANDLE device, UINT command, LPVOID data, PUINT size);
  static UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC callback);
  static BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);
  static BOOL WINAPI SystemParametersInfoW(UINT action, UINT param, PVOID data, UINT flags);
  static MMRESULT WINAPI TimeBeginPeriod(UINT period);
  static MMRESULT WINAPI TimeEndPeriod(UINT period);
  static void WINAPI OutputDebugStringW(LPCWSTR line);
  static uint64_t SteadyClockMs();

  static FakeCaptureSystem* active_;

  std::vector<Record> records_;
  std::map<HANDLE, Device> devices_;
  std::optional<ScopedCaptureSystemApi> installed_;
};

#endif  // KOVI_TESTS_SUPPORT_FAKE_CAPTURE_SYSTEM_H_

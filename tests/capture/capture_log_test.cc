// The capture's diagnostic lines: every device line format, the failure lines,
// the rate line, and lines cut to their buffers.
#include "capture/capture_log.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/fake_capture_system.h"
#include "tests/support/row_name.h"

namespace {

using kovi_test::operator<<;

const HANDLE kDevice = reinterpret_cast<HANDLE>(0x77);
const std::wstring kMouseName = L"\\\\?\\HID#VID_046D&PID_C077#7&1a2b3c4d&0&0000#{378de44c}";

using Device = FakeCaptureSystem::Device;

// The line after "[KOVI] RAW device: ", without its line feed.
struct DeviceCase {
  const char* name;
  Device device;
  std::wstring line;
};

// The mouse of kMouseName, changed as a row says.
Device Mouse(void (*change)(Device&)) {
  Device device = FakeCaptureSystem::MouseDevice(kMouseName);
  change(device);
  return device;
}

class DeviceLineTest : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceLineTest, DescribesTheDeviceInOneLine) {
  FakeCaptureSystem system;
  system.AddDevice(kDevice, GetParam().device);
  LogRawDevice(kDevice);
  ASSERT_EQ(system.debug_lines.size(), 1u);
  EXPECT_EQ(system.debug_lines[0], L"[KOVI] RAW device: " + GetParam().line + L"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceLineTest,
    ::testing::Values(
        DeviceCase{"Mouse", FakeCaptureSystem::MouseDevice(kMouseName),
                   kMouseName + L" | RIM_TYPEMOUSE"},
        DeviceCase{"Hid", FakeCaptureSystem::HidDevice(kMouseName, 0x46D, 0xC077, 1, 2),
                   kMouseName + L" | HID vid=046d pid=c077 usagePage=1 usage=2"},
        DeviceCase{"HidWideNumbers", FakeCaptureSystem::HidDevice(L"h", 0x1234ABCD, 7, 65535, 0),
                   L"h | HID vid=1234abcd pid=0007 usagePage=65535 usage=0"},
        DeviceCase{"OtherType", FakeCaptureSystem::KeyboardDevice(L"kbd"), L"kbd | type=1"},
        DeviceCase{"EmptyName", FakeCaptureSystem::MouseDevice(L""), L" | RIM_TYPEMOUSE"},
        DeviceCase{"NameWithoutTerminator", Mouse([](Device& d) { d.name = L"bare"; }),
                   L"bare | RIM_TYPEMOUSE"},
        DeviceCase{"NameWithFormatCharacters", FakeCaptureSystem::MouseDevice(L"a%s%n%ls%%b"),
                   L"a%s%n%ls%%b | RIM_TYPEMOUSE"},
        DeviceCase{"ZeroNameLength", Mouse([](Device& d) { d.reported_length = 0; }),
                   L"unknown (no name)"},
        DeviceCase{"NameFails", Mouse([](Device& d) { d.name_fails = true; }),
                   L"unknown (name failed)"},
        DeviceCase{"InfoFails", Mouse([](Device& d) { d.info_fails = true; }),
                   L"unknown (info failed)"}),
    kovi_test::RowName());

TEST(DeviceLine, UnknownHandleHasNoName) {
  FakeCaptureSystem system;
  LogRawDevice(kDevice);
  ASSERT_EQ(system.debug_lines.size(), 1u);
  EXPECT_EQ(system.debug_lines[0], L"[KOVI] RAW device: unknown (no name)\n");
  EXPECT_EQ(system.device_queries, 1);
}

// Names around and far beyond the room a 512-character buffer leaves: the
// line keeps its tail and line feed, takes at most 511 characters, and cuts
// only the name.
TEST(DeviceLine, LongNamesAreCutToTheBuffer) {
  const std::wstring prefix = L"[KOVI] RAW device: ";
  const struct {
    bool hid;
    std::wstring tail;
  } layouts[] = {{false, L" | RIM_TYPEMOUSE\n"},
                 {true, L" | HID vid=046d pid=c077 usagePage=1 usage=2\n"}};
  for (const auto& layout : layouts) {
    const std::wstring& tail = layout.tail;
    const size_t room = kDeviceLineChars - 1 - prefix.size() - tail.size();
    for (size_t length : {room - 1, room, room + 1, 2 * kDeviceLineChars, size_t{40000}}) {
      const std::wstring name(length, L'n');
      FakeCaptureSystem system;
      system.AddDevice(kDevice, layout.hid ? FakeCaptureSystem::HidDevice(name, 0x46D, 0xC077, 1, 2)
                                           : FakeCaptureSystem::MouseDevice(name));
      LogRawDevice(kDevice);
      ASSERT_EQ(system.debug_lines.size(), 1u);
      const std::wstring& line = system.debug_lines[0];
      EXPECT_EQ(line, prefix + name.substr(0, room) + tail) << "name length " << length;
      EXPECT_LE(line.size(), kDeviceLineChars - 1);
    }
  }
}

TEST(RateLine, CarriesTheCountAsAnUnsigned64BitNumber) {
  FakeCaptureSystem system;
  LogPacketRate(0);
  LogPacketRate(8000);
  LogPacketRate(UINT64_MAX);
  EXPECT_EQ(system.debug_lines,
            (std::vector<std::wstring>{L"[KOVI] RAW mouse packets/sec: 0\n",
                                       L"[KOVI] RAW mouse packets/sec: 8000\n",
                                       L"[KOVI] RAW mouse packets/sec: 18446744073709551615\n"}));
}

}  // namespace

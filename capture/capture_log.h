// The raw mouse capture's diagnostic lines, written to the debugger output with
// OutputDebugStringW (through the capture's system table). Every line starts
// with "[KOVI] RAW" and ends with a line feed; nothing reads them back.
// Window thread only.
#ifndef KOVI_CAPTURE_CAPTURE_LOG_H_
#define KOVI_CAPTURE_CAPTURE_LOG_H_

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Characters, terminator included, that a device line and a rate line may take;
// a longer device name is cut so that the line's tail and terminator still fit.
constexpr size_t kDeviceLineChars = 512;
constexpr size_t kRateLineChars = 256;

// Describes the raw input device `device` (the hDevice of a raw input header):
// its interface path and, by its type, "RIM_TYPEMOUSE", its HID identifiers or
// its type number; or one of three fixed lines when the name or information
// cannot be read.
void LogRawDevice(HANDLE device);

// Writes the packet-rate line with the packets counted since the previous one.
void LogPacketRate(uint64_t packets);

#endif  // KOVI_CAPTURE_CAPTURE_LOG_H_

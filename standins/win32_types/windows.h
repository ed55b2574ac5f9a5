// The few Win32 types, constants and functions the raw mouse capture uses, for
// building it off Windows (the native and sanitizer trees) so that its logic
// and its tests run under the sanitizers. Layouts match 64-bit Windows. Never
// used in the Windows tree, where the real windows.h is found.
#ifndef KOVI_STANDINS_WIN32_TYPES_WINDOWS_H_
#define KOVI_STANDINS_WIN32_TYPES_WINDOWS_H_

#include <cstdint>

#define WINAPI
#define CALLBACK
#define FALSE 0
#define TRUE 1

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short USHORT;
typedef uint32_t DWORD;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef UINT* PUINT;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef void* LPVOID;
typedef void* PVOID;
typedef void* HANDLE;
typedef const wchar_t* LPCWSTR;
typedef UINT MMRESULT;
typedef struct HWND__* HWND;
typedef struct HRAWINPUT__* HRAWINPUT;
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

#define WM_MOUSEMOVE 0x0200
#define WM_INPUT 0x00FF
#define WM_TIMER 0x0113

#define RIM_INPUT 0
#define RIM_TYPEMOUSE 0
#define RIM_TYPEKEYBOARD 1
#define RIM_TYPEHID 2
#define RID_INPUT 0x10000003
#define RIDI_DEVICENAME 0x20000007
#define RIDI_DEVICEINFO 0x2000000b
#define RIDEV_REMOVE 0x00000001
#define RIDEV_NOLEGACY 0x00000030

#define SPI_GETMOUSE 0x0003
#define SPI_SETMOUSE 0x0004
#define SPIF_SENDCHANGE 0x0002
#define TIMERR_NOERROR 0

typedef struct tagRAWINPUTHEADER {
  DWORD dwType;
  DWORD dwSize;
  HANDLE hDevice;
  WPARAM wParam;
} RAWINPUTHEADER;

// The device records, reduced to their sizes: the capture reads only the header.
typedef struct tagRAWMOUSE {
  USHORT usFlags;
  USHORT usReserved;
  ULONG ulButtons;
  ULONG ulRawButtons;
  LONG lLastX;
  LONG lLastY;
  ULONG ulExtraInformation;
} RAWMOUSE;

typedef struct tagRAWKEYBOARD {
  USHORT MakeCode;
  USHORT Flags;
  USHORT Reserved;
  USHORT VKey;
  UINT Message;
  ULONG ExtraInformation;
} RAWKEYBOARD;

typedef struct tagRAWHID {
  DWORD dwSizeHid;
  DWORD dwCount;
  BYTE bRawData[1];
} RAWHID;

typedef struct tagRAWINPUT {
  RAWINPUTHEADER header;
  union {
    RAWMOUSE mouse;
    RAWKEYBOARD keyboard;
    RAWHID hid;
  } data;
} RAWINPUT;

typedef struct tagRAWINPUTDEVICE {
  USHORT usUsagePage;
  USHORT usUsage;
  DWORD dwFlags;
  HWND hwndTarget;
} RAWINPUTDEVICE;
typedef const RAWINPUTDEVICE* PCRAWINPUTDEVICE;

typedef struct tagRID_DEVICE_INFO_MOUSE {
  DWORD dwId;
  DWORD dwNumberOfButtons;
  DWORD dwSampleRate;
  BOOL fHasHorizontalWheel;
} RID_DEVICE_INFO_MOUSE;

typedef struct tagRID_DEVICE_INFO_KEYBOARD {
  DWORD dwType;
  DWORD dwSubType;
  DWORD dwKeyboardMode;
  DWORD dwNumberOfFunctionKeys;
  DWORD dwNumberOfIndicators;
  DWORD dwNumberOfKeysTotal;
} RID_DEVICE_INFO_KEYBOARD;

typedef struct tagRID_DEVICE_INFO_HID {
  DWORD dwVendorId;
  DWORD dwProductId;
  DWORD dwVersionNumber;
  USHORT usUsagePage;
  USHORT usUsage;
} RID_DEVICE_INFO_HID;

typedef struct tagRID_DEVICE_INFO {
  DWORD cbSize;
  DWORD dwType;
  union {
    RID_DEVICE_INFO_MOUSE mouse;
    RID_DEVICE_INFO_KEYBOARD keyboard;
    RID_DEVICE_INFO_HID hid;
  };
} RID_DEVICE_INFO;

static_assert(sizeof(RAWINPUTHEADER) == 24, "layout of 64-bit Windows");
static_assert(sizeof(RAWINPUT) == 48, "layout of 64-bit Windows");
static_assert(sizeof(RAWINPUTDEVICE) == 16, "layout of 64-bit Windows");
static_assert(sizeof(RID_DEVICE_INFO) == 32, "layout of 64-bit Windows");

// Off Windows each of these fails (or does nothing); OutputDebugStringW writes
// to the standard error stream instead.
UINT WINAPI GetRawInputData(HRAWINPUT input, UINT command, LPVOID data, PUINT size,
                            UINT header_size);
BOOL WINAPI RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size);
UINT WINAPI GetRawInputDeviceInfoW(HANDLE device, UINT command, LPVOID data, PUINT size);
UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC callback);
BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);
BOOL WINAPI SystemParametersInfoW(UINT action, UINT param, PVOID data, UINT flags);
MMRESULT WINAPI timeBeginPeriod(UINT period);
MMRESULT WINAPI timeEndPeriod(UINT period);
void WINAPI OutputDebugStringW(LPCWSTR text);

#endif  // KOVI_STANDINS_WIN32_TYPES_WINDOWS_H_

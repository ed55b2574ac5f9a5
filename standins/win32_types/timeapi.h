// Off Windows the multimedia timer functions are declared with the rest of the
// capture's Win32 layer.
#ifndef KOVI_STANDINS_WIN32_TYPES_TIMEAPI_H_
#define KOVI_STANDINS_WIN32_TYPES_TIMEAPI_H_

#include <windows.h>

#endif  // KOVI_STANDINS_WIN32_TYPES_TIMEAPI_H_

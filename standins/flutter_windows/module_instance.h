// The module handle of the stand-in embedding library itself, under which it
// registers its window classes.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_MODULE_INSTANCE_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_MODULE_INSTANCE_H_

#include <windows.h>

HINSTANCE ModuleInstance();

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_MODULE_INSTANCE_H_

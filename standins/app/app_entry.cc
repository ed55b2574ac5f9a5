// The exported entry points of the stand-in application library (data\app.so),
// as standins/app_api.h defines them.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "standins/app/meter_app.h"
#include "standins/app/windows_system_probe.h"
#include "standins/app_api.h"

// The application's state between start and shutdown.
struct KoviApp {
  WindowsSystemProbe probe;
  std::unique_ptr<MeterApp> meter;
};

namespace {

void PrintLine(const std::string& line) {
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

extern "C" {

__declspec(dllexport) KoviApp* KoviAppStart(const KoviAppHost* host, const char*, int argc,
                                            const char* const* argv) {
  if (host == nullptr || host->struct_size < sizeof(KoviAppHost)) {
    return nullptr;
  }
  auto app = std::make_unique<KoviApp>();
  std::vector<std::string> arguments(argv, argv + argc);
  app->meter = std::make_unique<MeterApp>(host, &app->probe, std::move(arguments), &PrintLine);
  app->meter->Start();
  return app.release();
}

__declspec(dllexport) void KoviAppShutdown(KoviApp* app) {
  std::unique_ptr<KoviApp> owned(app);
  owned->meter->Shutdown();
}

}  // extern "C"

// FlutterViewController: puts a running engine into a window. It creates the
// engine wrapper, hands the engine to the library's view controller (which ends
// it) and owns the view. A controller either works (library controller and view
// present) or failed at construction (neither; the engine wrapper stays). The
// content window owns it. UI thread only.
#ifndef KOVI_EMBEDDING_FLUTTER_VIEW_CONTROLLER_H_
#define KOVI_EMBEDDING_FLUTTER_VIEW_CONTROLLER_H_

#include <windows.h>

#include <memory>
#include <optional>

#include "embedding/engine_project.h"
#include "embedding/flutter_desktop_windows.h"
#include "embedding/flutter_engine.h"
#include "embedding/flutter_view.h"

namespace flutter {

class FlutterViewController {
 public:
  // Width and height of the view in physical pixels; the project is read only here.
  // On failure writes "Failed to create view controller." and has no view.
  FlutterViewController(int width, int height, const EngineProject& project);
  // Ends the library's controller (with the view and the engine) before the
  // engine wrapper and its messenger handlers go.
  virtual ~FlutterViewController();

  FlutterViewController(const FlutterViewController&) = delete;
  FlutterViewController& operator=(const FlutterViewController&) = delete;

  // The engine wrapper, valid as long as the controller; present also after a failure.
  FlutterEngine* GetEngine();
  // The view, or null when creation failed.
  FlutterView* GetView();

  void ForceRedraw();

  // Offers a top-level window message to the library: the window procedure's
  // result when the library consumed it, nothing otherwise.
  std::optional<LRESULT> HandleTopLevelWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                                  LPARAM lparam);

 private:
  FlutterDesktopViewControllerRef controller_ = nullptr;
  std::shared_ptr<FlutterEngine> engine_;
  std::unique_ptr<FlutterView> view_;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_FLUTTER_VIEW_CONTROLLER_H_

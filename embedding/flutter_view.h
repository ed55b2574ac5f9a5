// FlutterView: stands for the view of the embedding library, whose child window
// the content window embeds. It owns nothing: the view lives and dies with the
// library's view controller. UI thread only.
#ifndef KOVI_EMBEDDING_FLUTTER_VIEW_H_
#define KOVI_EMBEDDING_FLUTTER_VIEW_H_

#include <windows.h>

#include "embedding/flutter_desktop_windows.h"

namespace flutter {

class FlutterView {
 public:
  explicit FlutterView(FlutterDesktopViewRef view);
  virtual ~FlutterView();

  FlutterView(const FlutterView&) = delete;
  FlutterView& operator=(const FlutterView&) = delete;

  // The view's child window.
  HWND GetHWND();

 private:
  FlutterDesktopViewRef view_;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_FLUTTER_VIEW_H_

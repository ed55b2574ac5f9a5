#include "embedding/flutter_view.h"

namespace flutter {

FlutterView::FlutterView(FlutterDesktopViewRef view) : view_(view) {}

FlutterView::~FlutterView() = default;

HWND FlutterView::GetHWND() {
  return FlutterDesktopViewGetHWND(view_);
}

}  // namespace flutter

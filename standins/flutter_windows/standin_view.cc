#include "standins/flutter_windows/standin_view.h"

#include "standins/flutter_windows/module_instance.h"
#include "standins/flutter_windows/utf8.h"
#include "win32/handle_traits.h"

namespace {

constexpr wchar_t kViewClassName[] = L"KOVI_STANDIN_VIEW";
constexpr wchar_t kHolderClassName[] = L"KOVI_STANDIN_VIEW_HOLDER";
constexpr COLORREF kBackground = RGB(24, 28, 36);
constexpr COLORREF kForeground = RGB(220, 230, 240);

}  // namespace

std::unique_ptr<StandinView> StandinView::Create(int width, int height) {
  if (!OwnedWindow::RegisterBoundClass(ModuleInstance(), kViewClassName) ||
      !OwnedWindow::RegisterBoundClass(ModuleInstance(), kHolderClassName)) {
    return nullptr;
  }
  std::unique_ptr<StandinView> view(new StandinView());
  WindowCreation holder;
  holder.class_name = kHolderClassName;
  holder.style = WS_POPUP;
  holder.width = width;
  holder.height = height;
  holder.instance = ModuleInstance();
  // The holder handles nothing itself: every message goes to DefWindowProcW.
  if (!view->holder_.Create(holder, nullptr)) {
    return nullptr;
  }
  WindowCreation content = holder;
  content.class_name = kViewClassName;
  content.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  content.parent = view->holder_.get();
  StandinView* target = view.get();
  if (!view->window_.Create(content,
                            [target](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
                              return target->HandleMessage(hwnd, message, wparam, lparam);
                            })) {
    return nullptr;
  }
  return view;
}

HWND StandinView::TopLevelWindow() const {
  return GetAncestor(window_.get(), GA_ROOT);
}

// Once the window is gone there is nothing to draw; a null window would stand
// for every window of the desktop.
void StandinView::SetText(const std::string& utf8_text) {
  text_ = Utf8ToWide(utf8_text);
  if (window_.get() != nullptr) {
    InvalidateRect(window_.get(), nullptr, TRUE);
  }
}

void StandinView::Redraw() {
  if (window_.get() != nullptr) {
    RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

void StandinView::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_.get(), &paint);
  RECT client{};
  GetClientRect(window_.get(), &client);
  FillRect(dc, &client, ScopedGdiObject<HBRUSH>(CreateSolidBrush(kBackground)).get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kForeground);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  RECT text_area = client;
  InflateRect(&text_area, -16, -16);
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text_area, DT_LEFT | DT_TOP);
  SelectObject(dc, old_font);
  EndPaint(window_.get(), &paint);
}

LRESULT StandinView::HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Paint fills the whole client area.
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

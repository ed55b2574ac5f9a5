#include "standins/flutter_windows/standin_view.h"

#include "standins/flutter_windows/module_instance.h"
#include "standins/flutter_windows/utf8.h"

namespace {

constexpr wchar_t kViewClassName[] = L"KOVI_STANDIN_VIEW";
constexpr wchar_t kHolderClassName[] = L"KOVI_STANDIN_VIEW_HOLDER";
constexpr COLORREF kBackground = RGB(24, 28, 36);
constexpr COLORREF kForeground = RGB(220, 230, 240);

LRESULT CALLBACK HolderProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

std::unique_ptr<StandinView> StandinView::Create(int width, int height) {
  if (!RegisterModuleWindowClass(kViewClassName, &StandinView::WindowProc) ||
      !RegisterModuleWindowClass(kHolderClassName, &HolderProc)) {
    return nullptr;
  }
  std::unique_ptr<StandinView> view(new StandinView());
  view->holder_ = CreateWindowExW(0, kHolderClassName, L"", WS_POPUP, 0, 0, width, height, nullptr,
                                  nullptr, ModuleInstance(), nullptr);
  if (view->holder_ == nullptr) {
    return nullptr;
  }
  view->window_ =
      CreateWindowExW(0, kViewClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width,
                      height, view->holder_, nullptr, ModuleInstance(), nullptr);
  if (view->window_ == nullptr) {
    return nullptr;
  }
  SetWindowLongPtrW(view->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view.get()));
  return view;
}

StandinView::~StandinView() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (holder_ != nullptr) {
    DestroyWindow(holder_);
  }
}

HWND StandinView::TopLevelWindow() const {
  return GetAncestor(window_, GA_ROOT);
}

void StandinView::SetText(const std::string& utf8_text) {
  text_ = Utf8ToWide(utf8_text);
  InvalidateRect(window_, nullptr, TRUE);
}

void StandinView::Redraw() {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void StandinView::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kForeground);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  RECT text_area = client;
  InflateRect(&text_area, -16, -16);
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text_area, DT_LEFT | DT_TOP);
  SelectObject(dc, old_font);
  EndPaint(window_, &paint);
}

LRESULT CALLBACK StandinView::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* view = reinterpret_cast<StandinView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (view != nullptr && message == WM_PAINT) {
    view->Paint();
    return 0;
  }
  if (message == WM_ERASEBKGND) {
    return 1;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

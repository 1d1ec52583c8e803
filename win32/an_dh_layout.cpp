// The window and its controls: places, sizes, fonts, colours, captions at
// the monitor's DPI; the background picture; the start-up handler Form_Load.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "an_dh.h"
#include "fonts.h"
#include "geometry.h"
#include "resource_ids.h"
#include "text/text_box.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {
namespace {

using quillo_eval::ToUtf16;

// A fixed frame with a title bar and a close button: no resizing, no
// minimize or maximize button.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

COLORREF Colour(const Form::Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

HICON LoadIconAt(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QUILLO_ICON),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The class carries the icon at the system's DPI, the scale of the monitor a
// window opens on as a rule: the window is made with it, and Windows (and
// Wine, which turns an icon into the X window's icon property each time one
// is set) need not be given it again. The class's icons last as long as the
// program.
void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (GetClassInfoExW(instance, AN_DH::kClassName, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  const UINT dpi = GetDpiForSystem();
  windowClass.hIcon = LoadIconAt(GetSystemMetricsForDpi(SM_CXICON, dpi));
  windowClass.hIconSm = LoadIconAt(GetSystemMetricsForDpi(SM_CXSMICON, dpi));
  windowClass.lpszClassName = AN_DH::kClassName;
  RegisterClassExW(&windowClass);
}

HWND MakeChild(HWND parent, const wchar_t* windowClass, const Form::Control& form, DWORD style,
               DWORD extendedStyle = 0) {
  const int id = static_cast<int>(
      std::find(Form::kControls.begin(), Form::kControls.end(), &form) - Form::kControls.begin() + 1);
  return CreateWindowExW(extendedStyle, windowClass, L"",
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

DWORD TextBoxStyle(const Form::Control& form) {
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
  // Both bars: lines do not wrap and scroll sideways.
  if (form.scroll == Form::Scroll::Both) style |= ES_AUTOHSCROLL | WS_HSCROLL;
  if (!form.editable) style |= ES_READONLY;
  return style;
}

}  // namespace

AN_DH::AN_DH(Platform& platform) : platform_(platform) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, WindowProc);
  const std::wstring caption = ToUtf16(Form::kCaption);
  // The window procedure learns `this` from WM_NCCREATE.
  hwnd_ = CreateWindowExW(0, kClassName, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  BuildControls();
  NameControls();
  SetDpi(GetDpiForWindow(hwnd_));

  // Centred on the screen's work area.
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  SetWindowPos(hwnd_, nullptr, work.left + (Width(work) - Width(frame)) / 2,
               work.top + (Height(work) - Height(frame)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Form_Load();
}

AN_DH::~AN_DH() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  for (HFONT font : boxFonts_) {
    if (font != nullptr) DeleteObject(font);
  }
  if (listFont_ != nullptr) DeleteObject(listFont_);
  if (icon_ != nullptr) DestroyIcon(icon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}

void AN_DH::Show(int how) {
  ShowWindow(hwnd_, how);
  UpdateWindow(hwnd_);
  ui.TB.Focus();
}

void AN_DH::BuildControls() {
  ui.TB.hwnd = MakeChild(hwnd_, TextBoxClass(), Form::kTB, TextBoxStyle(Form::kTB));
  ui.JG.hwnd = MakeChild(hwnd_, TextBoxClass(), Form::kJG, TextBoxStyle(Form::kJG));
  ui.TJ.hwnd = MakeChild(hwnd_, TextBoxClass(), Form::kTJ, TextBoxStyle(Form::kTJ));
  // The labels are drawn by the window. "=" and the link are buttons to
  // assistive technology and the keyboard; the other two are static text.
  ui.AN.hwnd = MakeChild(hwnd_, WC_STATICW, Form::kAN, SS_OWNERDRAW);
  ui.AN_DH.hwnd = MakeChild(hwnd_, WC_BUTTONW, Form::kAN_DH, BS_OWNERDRAW | WS_TABSTOP);
  ui.Label1.hwnd = MakeChild(hwnd_, WC_STATICW, Form::kLabel1, SS_OWNERDRAW);
  ui.FunList.hwnd = MakeChild(hwnd_, WC_LISTBOXW, Form::kFunList,
                              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                              WS_EX_CLIENTEDGE);
  ui.Label2.hwnd = MakeChild(hwnd_, WC_BUTTONW, Form::kLabel2, BS_OWNERDRAW | WS_TABSTOP);
  // AN_DH lies in front of its twin and takes the mouse.
  SetWindowPos(ui.AN_DH.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // No limit but memory on the boxes' texts (the default is 32,767 characters).
  for (const TextBox* box : {&ui.TB, &ui.JG, &ui.TJ}) {
    SendMessageW(box->hwnd, EM_SETLIMITTEXT, 0, 0);
  }
  for (HWND control : {ui.TB.hwnd, ui.JG.hwnd, ui.TJ.hwnd, ui.AN.hwnd, ui.AN_DH.hwnd,
                       ui.Label1.hwnd, ui.FunList.hwnd, ui.Label2.hwnd}) {
    SetWindowSubclass(control, ControlProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void AN_DH::SetDpi(UINT dpi) {
  dpi_ = dpi;
  const std::array<std::pair<TextBox*, const Form::Control*>, 3> boxes = {
      {{&ui.TB, &Form::kTB}, {&ui.JG, &Form::kJG}, {&ui.TJ, &Form::kTJ}}};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    HFONT old = boxFonts_[i];
    boxFonts_[i] = MakeFont(boxes[i].second->font, dpi);
    boxes[i].first->SetFont(boxFonts_[i]);
    boxes[i].first->Place(PixelRect(boxes[i].second->place, dpi));
    if (old != nullptr) DeleteObject(old);
  }
  HFONT oldList = listFont_;
  listFont_ = MakeFont(Form::kFunList.font, dpi);
  ui.FunList.SetFont(listFont_);
  // A row as high as the font's size, as a Song face's own metrics make it:
  // the twelve entries then fill the list. A face with more line spacing
  // (where 宋体 is stood in for) would push the last entry below a scroll bar.
  SendMessageW(ui.FunList.hwnd, LB_SETITEMHEIGHT, 0,
               static_cast<LPARAM>(std::lround(Form::kFunList.font.points * dpi / 72.0)));
  ui.FunList.Place(PixelRect(Form::kFunList.place, dpi));
  if (oldList != nullptr) DeleteObject(oldList);
  for (Label* label : {&ui.AN, &ui.AN_DH, &ui.Label1, &ui.Label2}) {
    label->SetDpi(dpi);
    PlaceLabel(*label);
  }

  // The icon at the sizes the title bar and the task bar use at this DPI:
  // the class's at the system's DPI, the window's own at any other.
  if (icon_ != nullptr || dpi != GetDpiForSystem()) {
    HICON oldIcon = icon_;
    HICON oldSmallIcon = smallIcon_;
    icon_ = LoadIconAt(GetSystemMetricsForDpi(SM_CXICON, dpi));
    smallIcon_ = LoadIconAt(GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    if (oldIcon != nullptr) DestroyIcon(oldIcon);
    if (oldSmallIcon != nullptr) DestroyIcon(oldSmallIcon);
  }

  RECT frame{0, 0, Pixels(Form::kClient.width, dpi), Pixels(Form::kClient.height, dpi)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, Width(frame), Height(frame),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void AN_DH::PlaceLabel(Label& label) {
  label.Apply();
  InvalidateRect(label.hwnd, nullptr, FALSE);
}

void AN_DH::Form_Load() {
  for (std::string_view entry : Form::kFunctionEntries) ui.FunList.Append(entry);
  ui.AN.left = ui.AN_DH.left;
  ui.AN.top = ui.AN_DH.top;
  PlaceLabel(ui.AN);
}

// Blue, then the picture from the top-left corner; the controls stand on it.
void AN_DH::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  background_.Draw(dc, paint.rcPaint, {paint.rcPaint.left, paint.rcPaint.top}, dpi_);
  EndPaint(hwnd_, &paint);
}

// A label is transparent: the picture behind it, then whatever label lies
// below it (the resting "=" behind the pressed one), then its own border and
// caption; drawn off screen and copied in one piece.
void AN_DH::DrawLabel(const DRAWITEMSTRUCT& item) {
  Label* label = nullptr;
  for (Label* candidate : {&ui.AN, &ui.AN_DH, &ui.Label1, &ui.Label2}) {
    if (candidate->hwnd == item.hwndItem) label = candidate;
  }
  if (label == nullptr) return;
  const RECT place = label->Place();
  const int width = Width(item.rcItem);
  const int height = Height(item.rcItem);
  HDC memory = CreateCompatibleDC(item.hDC);
  HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);

  background_.Draw(memory, place, {0, 0}, dpi_);
  if (label == &ui.AN_DH) {
    const RECT twin = ui.AN.Place();
    ui.AN.DrawFace(memory, {twin.left - place.left, twin.top - place.top});
  }
  label->DrawFace(memory, {0, 0});
  if ((item.itemState & ODS_FOCUS) != 0) {
    const int inset = Scale(3, dpi_);
    RECT focus{inset, inset, width - inset, height - inset};
    DrawFocusRect(memory, &focus);
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// The boxes' text colours on the window's own background (a read-only box
// would otherwise take the dialog grey).
LRESULT AN_DH::ControlColours(HDC dc, HWND control) {
  const Form::Control* form = control == ui.TB.hwnd   ? &Form::kTB
                              : control == ui.JG.hwnd ? &Form::kJG
                              : control == ui.TJ.hwnd ? &Form::kTJ
                                                      : nullptr;
  if (form == nullptr) return 0;
  SetTextColor(dc, form->colour ? Colour(*form->colour) : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace Quillo::Win32

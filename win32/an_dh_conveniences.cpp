// The function list, the result copy and the shop link.
#include "an_dh.h"
#include "platform.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {

using quillo_eval::ToUtf16;
using quillo_eval::ToUtf8;

// Writes the selected entry's name and "()" into the formula at the start of
// its selection (selected text stays, after the call); the caret then goes to
// the end of the formula. Nothing happens without a selected entry, or for an
// entry without "(".
void AN_DH::FunList_DblClick() {
  const int selected = ui.FunList.Selected();
  if (selected < 0) return;
  const std::wstring formula = ui.TB.WideText();
  const std::size_t start = std::min<std::size_t>(ui.TB.Selection().first, formula.size());
  const std::size_t at = ToUtf8(std::wstring_view(formula).substr(0, start)).size();
  const std::optional<Form::FormulaEdit> edit =
      Form::InsertEntry(ToUtf8(formula), at, ui.FunList.Entry(selected));
  if (!edit) return;
  ui.TB.SetText(edit->formula);
  const auto caret = static_cast<DWORD>(ToUtf16(std::string_view(edit->formula).substr(0, edit->caret)).size());
  ui.TB.Focus();
  ui.TB.Select(caret, caret);
  SendMessageW(ui.TB.hwnd, EM_SCROLLCARET, 0, 0);
}

void AN_DH::JG_DblClick() { platform_.SetClipboardText(hwnd_, Form::CopiedResult(ui.JG.Text())); }

void AN_DH::Label2_MouseDown() {
  ui.Label2.top = Form::kLabel2PressedTop;
  PlaceLabel(ui.Label2);
}

void AN_DH::Label2_MouseUp() {
  ui.Label2.top = Form::kLabel2.place.top;
  PlaceLabel(ui.Label2);
  // A link that leads nowhere says so, in the window's error box.
  if (!platform_.OpenUrl(Form::kShopAddress)) {
    platform_.ShowMessage(hwnd_, {std::string(Form::kShopUnopened) + std::string(Form::kShopAddress)},
                          Form::kErrorTitle);
  }
}

}  // namespace Quillo::Win32

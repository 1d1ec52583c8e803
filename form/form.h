// The calculator's form, whatever toolkit draws it: its controls as data
// (twips, captions, fonts, colours), the list entries, the history's entry
// format and the shop address, and what its events make of texts. A window
// (window/ for Qt, a Win32 one likewise) draws the controls from kControls
// and, in its handlers, shows what Enter, InsertedCall and CopiedResult give.
// Nothing here draws, reads a control or shows a box.
//
// Texts are UTF-8 std::string, as the engine and quillo-eval speak: a toolkit
// converts once at its edge (QString::fromUtf8, MultiByteToWideChar) and
// keeps positions in its own units. Line breaks are a toolkit's too: the form
// hands over lines (the history entry, the error box), never a joined text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillo/calc_string.h"

namespace Quillo::Form {

// Geometry is in twips (1/1440 inch), 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
// The nearest whole pixel (twips are never negative here).
constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

struct Twips {
  int left, top, width, height;
};
struct Rgb {
  std::uint8_t red, green, blue;
};
struct Font {
  std::string_view face;  // "宋体" in the GB2312 character set, the others western
  double points;
  bool bold;
  bool underline = false;
};

enum class Kind { TextBox, Label, ListBox };
// Text boxes: Vertical wraps lines at the box's width; Both scrolls sideways.
enum class Scroll { None, Vertical, Both };

struct Control {
  std::string_view name;  // the name the calculator has always given it
  Kind kind;
  Twips place;
  int tab_index;  // focus order among the boxes and the list, lowest first
  Font font;
  std::optional<Rgb> colour = {};  // text colour; none: the desktop's
  std::string_view caption = {};   // labels
  bool editable = false;           // text boxes; the others are read-only
  Scroll scroll = Scroll::None;
  bool border = false;            // labels: a flat single line
  bool sizes_to_caption = false;  // labels
  std::string_view accessible_name = {};
  std::string_view accessible_description = {};
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};

inline constexpr std::string_view kCaption = "Quillo-按Enter可计算  作者：Quillo 开发组";
inline constexpr Twips kClient{0, 0, 7275, 4125};
inline constexpr int kClientWidthPx = Px(kClient.width);    // 485
inline constexpr int kClientHeightPx = Px(kClient.height);  // 275
inline constexpr Rgb kBackground = kBlue;  // where the picture does not reach

inline constexpr std::string_view kEquals = "  =  ";
inline constexpr Font kEqualsFont{"宋体", 27.75, true};

inline constexpr Control kTB{
    .name = "TB", .kind = Kind::TextBox, .place = {120, 120, 5175, 855}, .tab_index = 0,
    .font = {"Arial", 14.25, true}, .colour = kBlue, .editable = true, .scroll = Scroll::Vertical,
    .accessible_name = "公式", .accessible_description = "输入公式，按 Enter 计算"};
inline constexpr Control kJG{
    .name = "JG", .kind = Kind::TextBox, .place = {120, 995, 5175, 440}, .tab_index = 6,
    .font = {"Arial Narrow", 18, true}, .colour = kRed, .scroll = Scroll::Vertical,
    .accessible_name = "计算结果", .accessible_description = "双击复制结果"};
inline constexpr Control kTJ{
    .name = "TJ", .kind = Kind::TextBox, .place = {120, 1440, 5175, 2535}, .tab_index = 1,
    .font = {"Arial", 12, true}, .colour = kBlue, .scroll = Scroll::Both,
    .accessible_name = "计算历史", .accessible_description = "以往的计算，最新的在最上面"};
// The twin of the "=" button, behind it: Form_Load moves it onto AN_DH, and
// from then on its geometry is the button's resting one.
inline constexpr Control kAN{
    .name = "AN", .kind = Kind::Label, .place = {3120, 0, 1665, 585}, .tab_index = 7,
    .font = kEqualsFont, .caption = kEquals, .border = true, .sizes_to_caption = true,
    .accessible_name = "等号"};
inline constexpr Control kAN_DH{
    .name = "AN_DH", .kind = Kind::Label, .place = {5475, 240, 1665, 585}, .tab_index = 5,
    .font = kEqualsFont, .caption = kEquals, .border = true, .sizes_to_caption = true,
    .accessible_name = "等号：计算", .accessible_description = "单击计算公式，与 Enter 相同"};
inline constexpr Control kLabel1{
    .name = "Label1", .kind = Kind::Label, .place = {5565, 1080, 1485, 270}, .tab_index = 3,
    .font = {"宋体", 12, false}, .colour = kRed, .caption = "可用函数列表", .border = true,
    .sizes_to_caption = true, .accessible_name = "可用函数列表标题"};
inline constexpr Control kFunList{
    .name = "FunList", .kind = Kind::ListBox, .place = {5460, 1440, 1695, 2220}, .tab_index = 2,
    .font = {"宋体", 9, false}, .accessible_name = "可用函数列表",
    .accessible_description = "双击或按 Enter 把函数插入公式"};
inline constexpr Control kLabel2{
    .name = "Label2", .kind = Kind::Label, .place = {5520, 3720, 1575, 255}, .tab_index = 4,
    .font = {"宋体", 9, false, true}, .colour = kRed, .caption = "去淘宝网逛逛",
    .accessible_name = "去淘宝网逛逛", .accessible_description = "在浏览器中打开淘宝网"};
inline constexpr int kLabel2PressedTop = 3760;  // the link while pressed, 40 twips down

// In the order they are made: AN before AN_DH, which lies in front of it and
// takes the mouse.
inline constexpr std::array<const Control*, 8> kControls = {&kTB,     &kJG,    &kTJ,      &kAN,
                                                            &kAN_DH, &kLabel1, &kFunList, &kLabel2};

// The function list, in the order shown. Each entry begins with the
// function's name and "(".
inline constexpr std::array<std::string_view, 12> kFunctionEntries = {
    "Abs(): 绝对值",   "Acos(): 反余弦值", "Asin(): 反正弦值", "Cos(): 余弦值",
    "Int(): 取整数",   "Mod() : 取余数",   "Pi(): π值",        "Power(): 求幂",
    "Rand(): 随机数",  "Round(): 四舍五入", "Sin(): 正弦值",    "Sqrt(): 平方根",
};

inline constexpr std::string_view kShopAddress = "https://www.taobao.com/";
// The error box's line when no web browser could be started for the link,
// before the address.
inline constexpr std::string_view kShopUnopened = "无法打开网页：";

// The history: each entry is the separator line, then the result box's text,
// " = " and the formula on one line; the newest entry on top.
inline constexpr std::string_view kSeparatorMark = "－";  // U+FF0D
inline constexpr int kSeparatorLength = 17;
std::string HistorySeparator();

// The error box: its title, and the hint below the message after a blank line.
inline constexpr std::string_view kErrorTitle = CalcString::kErrorTitle;
inline constexpr std::string_view kErrorHint = CalcString::kErrorHint;

// What Enter (or a click on "=") makes of the formula box's text.
struct EnterOutcome {
  enum class Kind {
    Shown,     // a result: `text` goes into the result box, `history` on top of the history
    Rejected,  // the engine's message in `text`; `error_box` holds the box's lines
    Unshown,   // a text that is no number came back without a message ("abc"): nothing changes
  };
  Kind kind;
  // Shown: the result box's text (" 0.5"); Rejected: the message; Unshown:
  // the text that came back. quillo-eval writes it as the formula's line.
  std::string text;
  std::array<std::string, 2> history = {};  // Shown: the separator, then " 3 = 1+2"
  std::vector<std::string> error_box = {};  // Rejected: the message's lines, "", the hint
};
EnterOutcome Enter(std::string_view formula);

// The formula as its history line shows it: each line break (CR LF, CR, LF,
// and Unicode's others) one blank, so that an entry stays two lines.
std::string HistoryFormula(std::string_view formula);

// What a double-click on a list entry writes into the formula at the start
// of its selection (the selected text stays, after it): the entry's name and
// "()". The caret then goes to the end of the whole formula, nothing selected.
// None for an entry without "(".
std::optional<std::string> InsertedCall(std::string_view entry);

// The same on whole texts, `at` in bytes: the new formula and its caret.
struct FormulaEdit {
  std::string formula;
  std::size_t caret;
};
std::optional<FormulaEdit> InsertEntry(std::string_view formula, std::size_t at,
                                       std::string_view entry);

// What a double-click on the result box puts on the clipboard: its text
// without blanks (U+0020) at either end.
std::string CopiedResult(std::string_view result);

}  // namespace Quillo::Form

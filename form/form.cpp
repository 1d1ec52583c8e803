#include "form/form.h"

namespace Quillo::Form {
namespace {

// The length of the line break at the start of `text` (CR LF, CR, LF, VT,
// FF, NEL, U+2028, U+2029), 0 when there is none.
std::size_t LineBreakAt(std::string_view text) {
  if (text.starts_with("\r\n")) return 2;
  if (text.empty()) return 0;
  if (text[0] == '\r' || text[0] == '\n' || text[0] == '\v' || text[0] == '\f') return 1;
  if (text.starts_with("\u0085")) return 2;
  if (text.starts_with("\u2028") || text.starts_with("\u2029")) return 3;
  return 0;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines(1);
  while (!text.empty()) {
    const std::size_t lineBreak = LineBreakAt(text);
    if (lineBreak > 0) {
      lines.emplace_back();
      text.remove_prefix(lineBreak);
    } else {
      lines.back() += text.front();
      text.remove_prefix(1);
    }
  }
  return lines;
}

}  // namespace

std::string HistorySeparator() {
  std::string separator;
  for (int i = 0; i < kSeparatorLength; ++i) separator += kSeparatorMark;
  return separator;
}

std::string HistoryFormula(std::string_view formula) {
  std::string shown;
  shown.reserve(formula.size());
  while (!formula.empty()) {
    const std::size_t lineBreak = LineBreakAt(formula);
    shown += lineBreak > 0 ? ' ' : formula.front();
    formula.remove_prefix(lineBreak > 0 ? lineBreak : 1);
  }
  return shown;
}

// The engine shows nothing itself here: a failure is noted, and the window
// shows the box from the outcome.
EnterOutcome Enter(std::string_view formula) {
  bool rejected = false;
  const auto value = CalcString::CalcFormula(
      formula, [&rejected](const std::string&, int, const std::string&) { rejected = true; });
  std::string text = CalcString::ToText(value);
  if (rejected) {
    std::vector<std::string> box = Lines(text);
    box.emplace_back();
    box.emplace_back(kErrorHint);
    return {EnterOutcome::Kind::Rejected, std::move(text), {}, std::move(box)};
  }
  std::optional<std::string> shown = CalcString::DisplayText(text);
  if (!shown) return {EnterOutcome::Kind::Unshown, std::move(text)};
  std::string entry = *shown + " = " + HistoryFormula(formula);
  return {EnterOutcome::Kind::Shown, std::move(*shown), {HistorySeparator(), std::move(entry)}};
}

std::optional<std::string> InsertedCall(std::string_view entry) {
  const std::size_t open = entry.find('(');
  if (open == std::string_view::npos) return std::nullopt;
  return std::string(entry.substr(0, open)) + "()";
}

std::optional<FormulaEdit> InsertEntry(std::string_view formula, std::size_t at,
                                       std::string_view entry) {
  const std::optional<std::string> call = InsertedCall(entry);
  if (!call || at > formula.size()) return std::nullopt;
  std::string edited = std::string(formula.substr(0, at)) + *call + std::string(formula.substr(at));
  const std::size_t caret = edited.size();
  return FormulaEdit{std::move(edited), caret};
}

std::string CopiedResult(std::string_view result) {
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(result.substr(first, result.find_last_not_of(' ') - first + 1));
}

}  // namespace Quillo::Form

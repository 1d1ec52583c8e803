#include "terminal_keys.h"

#include <cstdlib>

#include "quillo/utf8.h"

namespace quillo_eval {

namespace {

constexpr std::string_view kUp = "\033[A", kDown = "\033[B", kRight = "\033[C", kLeft = "\033[D",
                           kHome = "\033[H", kEnd = "\033[F", kDelete = "\033[3~",
                           kWordRight = "\033[1;5C", kWordLeft = "\033[1;5D",
                           kDeleteWord = "\033[3;5~";

void Append(std::wstring& out, std::string_view sequence) { out.append(sequence.begin(), sequence.end()); }

}  // namespace

void KeyDecoder::Feed(unsigned char byte, std::wstring& out) {
  switch (state_) {
    case State::kText:
      if (have_ > 0 || byte >= 0x80) {
        Utf8(byte, out);
      } else if (byte == 0x1B) {
        state_ = State::kEscape;
        alt_ = false;
      } else {
        out.push_back(static_cast<wchar_t>(byte));
        first_ = false;
      }
      return;
    case State::kEscape:
      if (byte == '[' || byte == 'O') {
        state_ = byte == '[' ? State::kCsi : State::kSs3;
        parameters_.clear();
      } else if (byte == 0x1B && !alt_) {
        alt_ = true;  // ESC ESC [ D: Alt-Left where Alt sends ESC first
      } else {
        // Alt and a key (ESC b): the editor's own meta bindings.
        state_ = State::kText;
        out.push_back(0x1B);
        Feed(byte, out);
      }
      return;
    case State::kCsi:
      if (byte >= 0x20 && byte <= 0x3F) {
        if (parameters_.size() < 32) parameters_.push_back(static_cast<char>(byte));
        return;
      }
      state_ = State::kText;
      if (byte >= 0x40 && byte <= 0x7E) {
        Sequence(static_cast<char>(byte), out);
      } else {
        Feed(byte, out);  // not a sequence after all: what it was is dropped
      }
      return;
    case State::kSs3:
      state_ = State::kText;
      parameters_ = "O";
      if (byte >= 0x40 && byte <= 0x7E) {
        Sequence(static_cast<char>(byte), out);
      } else {
        Feed(byte, out);
      }
      return;
  }
}

void KeyDecoder::Sequence(char final, std::wstring& out) {
  if (parameters_ == "O") {
    // SS3: cursor keys in application mode, rxvt's Ctrl-arrows, and the
    // keypad in application mode (its digits and operators are the
    // calculator's own).
    static constexpr std::string_view kKeypad = "*+,-./0123456789";
    if (final >= 'j' && final <= 'y') {
      out.push_back(static_cast<wchar_t>(kKeypad[static_cast<std::size_t>(final - 'j')]));
      return;
    }
    if (final == 'M') out.push_back(L'\r');
    if (final == 'c') Append(out, kWordRight);
    if (final == 'd') Append(out, kWordLeft);
    if (final == 'a' || final == 'b') final = static_cast<char>(final - 'a' + 'A');
    parameters_.clear();
    if (final == 'M' || final == 'c' || final == 'd') return;
  }
  // CSI: "P1;P2" with P2 the modifiers plus one (2 Shift, 3 Alt, 5 Ctrl).
  if (!parameters_.empty() && (parameters_[0] < '0' || parameters_[0] > ';')) return;  // private
  char* rest = nullptr;
  const long key = std::strtol(parameters_.c_str(), &rest, 10);
  const long modifiers = *rest == ';' ? std::strtol(rest + 1, nullptr, 10) : 1;
  const bool word = alt_ || (modifiers > 1 && ((modifiers - 1) & 6) != 0) || final == '^';
  switch (final) {
    case 'A': case 'a': Append(out, kUp); return;
    case 'B': case 'b': Append(out, kDown); return;
    case 'C': Append(out, word ? kWordRight : kRight); return;
    case 'D': Append(out, word ? kWordLeft : kLeft); return;
    case 'c': Append(out, kRight); return;  // rxvt's Shift-arrows
    case 'd': Append(out, kLeft); return;
    case 'H': Append(out, kHome); return;
    case 'F': Append(out, kEnd); return;
    case '~': case '^': case '$':  // plain, and rxvt's Ctrl and Shift forms
      if (key == 1 || key == 7) Append(out, kHome);
      if (key == 4 || key == 8) Append(out, kEnd);
      if (key == 3) Append(out, word ? kDeleteWord : kDelete);
      return;
    default:
      return;  // a key the calculator has no use for (F1, Insert, Page Up, ...)
  }
}

void KeyDecoder::Utf8(unsigned char byte, std::wstring& out) {
  if (have_ > 0 && (byte & 0xC0) != 0x80) {
    // The sequence broke off: its bytes stand for themselves.
    for (std::size_t k = 0; k < have_; ++k) out.push_back(kRawByteBase + pending_[k]);
    have_ = 0;
    Feed(byte, out);
    return;
  }
  if (have_ == 0) {
    need_ = CalcString::Utf8LeadLength(byte);
    if (need_ == 0) {
      out.push_back(kRawByteBase + byte);
      first_ = false;
      return;
    }
  }
  pending_[have_++] = byte;
  if (have_ < need_) return;
  const CalcString::Utf8Char c = CalcString::Utf8At({reinterpret_cast<const char*>(pending_), have_});
  if (c.length == 0) {
    for (std::size_t k = 0; k < have_; ++k) out.push_back(kRawByteBase + pending_[k]);
  } else if (!(first_ && c.code == 0xFEFF)) {  // a byte order mark opening the input
    out.push_back(static_cast<wchar_t>(c.code));
  }
  have_ = 0;
  first_ = false;
}

std::string EncodeLine(std::wstring_view line) {
  std::string out;
  for (const wchar_t wc : line) {
    const auto c = static_cast<unsigned long>(wc);
    if (IsRawByte(wc)) {
      out.push_back(static_cast<char>(c - kRawByteBase));
    } else {
      CalcString::AppendUtf8(out, static_cast<char32_t>(c));
    }
  }
  return out;
}

std::wstring DecodeLine(std::string_view text) {
  std::wstring out;
  while (!text.empty()) {
    const CalcString::Utf8Char c = CalcString::Utf8At(text);
    if (c.length == 0) {
      out.push_back(kRawByteBase + static_cast<unsigned char>(text[0]));
      text.remove_prefix(1);
    } else {
      out.push_back(static_cast<wchar_t>(c.code));
      text.remove_prefix(c.length);
    }
  }
  return out;
}

}  // namespace quillo_eval

#include "terminal_keys.h"

#include <cstdlib>

namespace quillo_eval {

namespace {

constexpr std::string_view kUp = "\033[A", kDown = "\033[B", kRight = "\033[C", kLeft = "\033[D",
                           kHome = "\033[H", kEnd = "\033[F", kDelete = "\033[3~",
                           kWordRight = "\033[1;5C", kWordLeft = "\033[1;5D",
                           kDeleteWord = "\033[3;5~";

// The code point of the UTF-8 sequence `bytes`, or -1 when it is not one
// (overlong forms, surrogates and values above U+10FFFF included).
long Decode(const unsigned char* bytes, std::size_t length) {
  static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static constexpr long kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  long code = bytes[0] & kLeadMask[length];
  for (std::size_t k = 1; k < length; ++k) {
    if ((bytes[k] & 0xC0) != 0x80) return -1;
    code = (code << 6) | (bytes[k] & 0x3F);
  }
  if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  return code;
}

// How long the sequence that `lead` begins is; 0 when no sequence begins so.
std::size_t LengthFromLead(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

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
    need_ = LengthFromLead(byte);
    if (need_ == 0) {
      out.push_back(kRawByteBase + byte);
      first_ = false;
      return;
    }
  }
  pending_[have_++] = byte;
  if (have_ < need_) return;
  const long code = Decode(pending_, have_);
  if (code < 0) {
    for (std::size_t k = 0; k < have_; ++k) out.push_back(kRawByteBase + pending_[k]);
  } else if (!(first_ && code == 0xFEFF)) {  // a byte order mark opening the input
    out.push_back(static_cast<wchar_t>(code));
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
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::wstring DecodeLine(std::string_view text) {
  std::wstring out;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = bytes[i] < 0x80 ? 1 : LengthFromLead(bytes[i]);
    const long code = length == 0 || i + length > text.size() ? -1 : Decode(bytes + i, length);
    if (code < 0) {
      out.push_back(kRawByteBase + bytes[i]);
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(code));
      i += length;
    }
  }
  return out;
}

}  // namespace quillo_eval

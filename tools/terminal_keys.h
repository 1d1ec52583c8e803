// What the terminal sends, made into what the line editor is given.
//
// Terminals send the same key in several forms (Home is ESC [ H, ESC O H,
// ESC [ 1 ~ or ESC [ 7 ~; Ctrl-Left is ESC [ 1 ; 5 D, or ESC O d, ...), and
// the editor knows only the terminal description's own. Every escape
// sequence is therefore read whole here: one the calculator has a use for
// becomes its canonical form below, which the session binds; any other is
// dropped, so that no key ever types the tail of its sequence into the
// formula. Bytes that are not UTF-8 are kept, each as a character of its own
// (U+DC80..U+DCFF), so that the formula fails as it would from a file.
#pragma once

#include <string>
#include <string_view>

namespace quillo_eval {

// The canonical sequences and the editor functions bound to them.
struct KeyBinding {
  const char* sequence;
  const char* function;
};
inline constexpr KeyBinding kKeyBindings[] = {
    {"\033[A", "ed-prev-history"},        // Up
    {"\033[B", "ed-next-history"},        // Down
    {"\033[C", "ed-next-char"},           // Right
    {"\033[D", "ed-prev-char"},           // Left
    {"\033[H", "ed-move-to-beg"},         // Home
    {"\033[F", "ed-move-to-end"},         // End
    {"\033[3~", "ed-delete-next-char"},   // Delete
    {"\033[1;5C", "em-next-word"},        // Ctrl- or Alt-Right
    {"\033[1;5D", "ed-prev-word"},        // Ctrl- or Alt-Left
    {"\033[3;5~", "em-delete-next-word"}, // Ctrl- or Alt-Delete
    {"\033[9999~", "ed-redisplay"},       // never sent by a terminal: after a resize
};
inline constexpr std::string_view kRedisplay = "\033[9999~";

// A character that stands for one byte that is not UTF-8, and back.
inline constexpr wchar_t kRawByteBase = 0xDC00;
inline bool IsRawByte(wchar_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

class KeyDecoder {
public:
  // One byte from the terminal; what the editor is to read next, if
  // anything yet, is appended to `out`.
  void Feed(unsigned char byte, std::wstring& out);

private:
  void Sequence(char final, std::wstring& out);
  void Utf8(unsigned char byte, std::wstring& out);

  enum class State { kText, kEscape, kCsi, kSs3 } state_ = State::kText;
  bool alt_ = false;       // ESC in front of the sequence: Alt held
  std::string parameters_; // of the CSI sequence being read
  unsigned char pending_[4] = {};
  std::size_t have_ = 0, need_ = 0;  // of the UTF-8 sequence being read
  bool first_ = true;      // no character passed on yet
};

// UTF-8 for the editor's line, raw bytes as they came; and the other way.
std::string EncodeLine(std::wstring_view line);
std::wstring DecodeLine(std::string_view text);

}  // namespace quillo_eval

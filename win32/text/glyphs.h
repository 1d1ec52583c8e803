// What a text box's characters measure and which face draws them. The box's
// own face draws what it has; a character it lacks (Chinese and full-width
// forms in Arial, the history's "－") is drawn from the Song face at the same
// size, as Windows' font linking would, but the same wherever the box runs
// (Wine links no fonts for its edit control). Widths are kept per character
// once measured: laying out a megabyte measures each distinct character once.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace Quillo::Win32 {

class Glyphs {
public:
  Glyphs();
  ~Glyphs();
  Glyphs(const Glyphs&) = delete;
  Glyphs& operator=(const Glyphs&) = delete;

  // The box's face (none: the system's); the stand-in is made from it when
  // a character first needs it. The caller keeps `font`.
  void SetFont(HFONT font);
  HFONT Font() const { return font_; }
  HFONT StandIn() const { return standIn_; }

  // How far `c` moves the pen at `x` pixels from the start of its row (a
  // tab goes to the next stop).
  int Advance(char32_t c, int x) const {
    if (c == U'\t') return tabStop_ - x % tabStop_;
    return Measure(c).width;
  }
  // Whether the stand-in face draws `c`.
  bool FromStandIn(char32_t c) const { return Measure(c).standIn; }

  int LineHeight() const { return lineHeight_; }
  // How far below a row's top each face's cell starts, so that both faces
  // stand on one baseline.
  int Drop(bool standIn) const { return standIn ? standInDrop_ : 0; }

private:
  struct Glyph {
    int width = -1;  // -1: not measured yet
    bool standIn = false;
  };
  const Glyph& Measure(char32_t c) const;
  void MakeStandIn() const;

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  mutable HFONT standIn_ = nullptr;  // ours
  int lineHeight_ = 16;
  int ascent_ = 13;
  mutable int standInDrop_ = 0;
  int tabStop_ = 64;
  // The Basic Multilingual Plane in pages of 256, made as characters are
  // met; the other planes by character.
  mutable std::array<std::unique_ptr<Glyph[]>, 256> basic_;
  mutable std::unordered_map<char32_t, Glyph> astral_;
};

}  // namespace Quillo::Win32

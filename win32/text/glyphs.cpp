#include "text/glyphs.h"

#include <algorithm>
#include <string>

#include "fonts.h"

namespace Quillo::Win32 {
namespace {

std::wstring Units(char32_t c) {
  if (c < 0x10000) return std::wstring(1, static_cast<wchar_t>(c));
  c -= 0x10000;
  return {static_cast<wchar_t>(0xD800 + (c >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
}

// Whether the face selected into `dc` has a glyph for every unit of `text`.
bool HasGlyph(HDC dc, const std::wstring& text) {
  if (text.size() > 1) {
    // Surrogate pairs: GetGlyphIndicesW reads units alone, so ask the
    // shaping path and look for the default glyph (index 0).
    GCP_RESULTSW results{};
    results.lStructSize = sizeof results;
    wchar_t glyphs[4]{};
    results.lpGlyphs = glyphs;
    results.nGlyphs = 4;
    if (GetCharacterPlacementW(dc, text.c_str(), static_cast<int>(text.size()), 0, &results, GCP_GLYPHSHAPE) == 0) {
      return false;
    }
    return results.nGlyphs > 0 && glyphs[0] != 0;
  }
  WORD glyph = 0xFFFF;
  return GetGlyphIndicesW(dc, text.c_str(), 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
}

}  // namespace

Glyphs::Glyphs() : dc_(CreateCompatibleDC(nullptr)) { SetFont(nullptr); }

Glyphs::~Glyphs() {
  if (standIn_ != nullptr) DeleteObject(standIn_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

void Glyphs::SetFont(HFONT font) {
  font_ = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (standIn_ != nullptr) DeleteObject(standIn_);
  standIn_ = nullptr;  // made when a character first needs it
  TEXTMETRICW metrics{};
  SelectObject(dc_, font_);
  GetTextMetricsW(dc_, &metrics);
  lineHeight_ = metrics.tmHeight;
  ascent_ = metrics.tmAscent;
  tabStop_ = std::max(1, 8 * static_cast<int>(metrics.tmAveCharWidth));
  for (auto& page : basic_) page.reset();
  astral_.clear();
}

// The Song face at the box's size and weight. A row is as high as the box's
// face: the stand-in stands on its baseline and may reach a little above or
// below.
void Glyphs::MakeStandIn() const {
  LOGFONTW logical{};
  GetObjectW(font_, sizeof logical, &logical);
  const std::wstring song = InstalledFace("宋体");
  std::fill(std::begin(logical.lfFaceName), std::end(logical.lfFaceName), L'\0');
  song.copy(logical.lfFaceName, LF_FACESIZE - 1);
  logical.lfCharSet = GB2312_CHARSET;
  logical.lfPitchAndFamily = FF_ROMAN;
  standIn_ = CreateFontIndirectW(&logical);
  TEXTMETRICW metrics{};
  SelectObject(dc_, standIn_);
  GetTextMetricsW(dc_, &metrics);
  standInDrop_ = ascent_ - metrics.tmAscent;
}

const Glyphs::Glyph& Glyphs::Measure(char32_t c) const {
  Glyph* found = nullptr;
  if (c < 0x10000) {
    auto& page = basic_[c >> 8];
    if (!page) page = std::make_unique<Glyph[]>(256);
    found = &page[c & 0xFF];
  } else {
    found = &astral_[c];
  }
  Glyph& glyph = *found;
  if (glyph.width >= 0) return glyph;
  const std::wstring units = Units(c);
  SelectObject(dc_, font_);
  if (c >= 0x20 && !HasGlyph(dc_, units)) {
    if (standIn_ == nullptr) MakeStandIn();
    SelectObject(dc_, standIn_);
    glyph.standIn = HasGlyph(dc_, units);
    if (!glyph.standIn) SelectObject(dc_, font_);  // neither has it: the box's own blank
  }
  SIZE size{};
  GetTextExtentPoint32W(dc_, units.c_str(), static_cast<int>(units.size()), &size);
  glyph.width = std::max<int>(0, size.cx);
  return glyph;
}

}  // namespace Quillo::Win32

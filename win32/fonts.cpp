#include "fonts.h"

#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "windows/utf16.h"

namespace Quillo::Win32 {
namespace {

bool IsSong(std::string_view face) { return face == "宋体"; }

BYTE CharSet(std::string_view face) { return IsSong(face) ? GB2312_CHARSET : ANSI_CHARSET; }

// The faces to try, best first. "宋体" is SimSun's Chinese name; a Windows
// without the Chinese fonts may have NSimSun or only Microsoft YaHei; Linux
// (under Wine) has the AR PL Song face.
std::vector<std::wstring> Candidates(std::string_view face) {
  if (IsSong(face)) {
    return {L"宋体", L"SimSun", L"NSimSun", L"新宋体", L"AR PL UMing CN", L"Microsoft YaHei",
            L"微软雅黑"};
  }
  if (face == "Arial Narrow") return {L"Arial Narrow", L"Liberation Sans Narrow", L"Arial", L"Liberation Sans"};
  if (face == "Arial") return {L"Arial", L"Liberation Sans"};
  return {quillo_eval::ToUtf16(face)};
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool HasFace(HDC dc, const std::wstring& face, BYTE charSet) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charSet;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::wstring InstalledFace(std::string_view face) {
  // Fonts installed while the window is open are not looked for again.
  static std::map<std::string, std::wstring, std::less<>> chosen;
  if (const auto known = chosen.find(face); known != chosen.end()) return known->second;
  const std::vector<std::wstring> candidates = Candidates(face);
  std::wstring best = candidates.front();  // none there: Windows' font mapper chooses
  HDC screen = GetDC(nullptr);
  for (const std::wstring& candidate : candidates) {
    if (HasFace(screen, candidate, CharSet(face))) {
      best = candidate;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  chosen.emplace(std::string(face), best);
  return best;
}

HFONT MakeFont(const Form::Font& font, UINT dpi, bool bold) {
  LOGFONTW logical{};
  // Points to pixels at the screen's DPI, as the character height (negative).
  logical.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / 72.0));
  logical.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  logical.lfUnderline = font.underline ? TRUE : FALSE;
  logical.lfCharSet = CharSet(font.face);
  logical.lfOutPrecision = OUT_TT_PRECIS;
  logical.lfQuality = CLEARTYPE_QUALITY;
  logical.lfPitchAndFamily = static_cast<BYTE>(IsSong(font.face) ? FF_ROMAN : FF_SWISS);
  InstalledFace(font.face).copy(logical.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&logical);
}

}  // namespace Quillo::Win32

// Maps the Windows font names the program asks for onto installed fonts.
#pragma once

// "宋体" and the other Chinese interface names go to an installed CJK font; Tahoma,
// Arial and Courier New to metric-compatible Latin fonts followed by the CJK font, so
// Chinese text in any of them is measured with a real CJK font.
void InstallFontSubstitutions();

// The installed CJK font family used for Chinese text.
const char* CjkFontFamily();

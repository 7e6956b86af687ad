// The engine works in UTF-8. Payroll exports from older systems arrive in
// Windows-1252, the code page of Western European Windows installations;
// this is the one place that tells the two apart and converts.
#pragma once

#include <string>
#include <string_view>

namespace qora {

// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no
// truncated, overlong or surrogate sequences, nothing above U+10FFFF.
// An empty text is valid.
bool IsValidUtf8(std::string_view bytes);

// The Windows-1252 text `bytes` as UTF-8. Bytes below 0x80 are unchanged;
// 0x80-0x9F are the code page's typographic characters (0x80 is the euro
// sign); the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, as Windows
// converts them; 0xA0-0xFF are U+00A0-U+00FF.
std::string Windows1252ToUtf8(std::string_view bytes);

// `bytes` unchanged when it is valid UTF-8, otherwise read as Windows-1252.
// `converted` (when not null) tells whether it was read as Windows-1252.
std::string TextAsUtf8(std::string_view bytes, bool* converted = nullptr);

}  // namespace qora

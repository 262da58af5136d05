#pragma once
// Helpers for Shift-JIS (code page 932) byte strings.
//
// Every byte search in such a text must step over double-byte characters: their second
// byte can be 0x40 ("@") or 0x5C ("\"), and must never be taken for that character.
#include <cstddef>
#include <string>
#include <string_view>

namespace cv2 {

// True for a byte that opens a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Position of the first byte equal to c that is a character of its own, or npos.
std::size_t FindSingleByteChar(std::string_view text, char c);

// Position of the last such byte, or npos.
std::size_t FindLastSingleByteChar(std::string_view text, char c);

// Decimal text of n, without leading zeros ("-12" for -12).
std::string IntToStr(long long n);

}  // namespace cv2

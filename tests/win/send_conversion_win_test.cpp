// The conversion's own code page 932 tables against the system's conversion, so that what
// the native tests check against iconv holds on Windows (and Wine) too.
#include <gtest/gtest.h>

#include <string>

#include "send/SendConversion.h"
#include "base/Cp932.h"

namespace cv2 {
namespace {

std::string Sj(wchar_t c) { return ToCp932(std::wstring(1, c)); }

TEST(SendConversionWin, FullWidthAsciiReadsAndWritesAsTheSystemDoes) {
    for (wchar_t c = L'！'; c <= L'～'; ++c) {
        const std::string full = Sj(c);
        const std::string half(1, static_cast<char>(c - 0xFEE0));
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(ConvertForSending(full, kConvertHalfWidthAscii, false), half);
        EXPECT_EQ(ConvertForSending(half, kConvertFullWidth, false), full);
    }
    EXPECT_EQ(ConvertForSending(Sj(L'\u3000'), kConvertHalfWidthAscii, false), " ");
}

TEST(SendConversionWin, KanaReadAndWriteAsTheSystemDoes) {
    for (wchar_t h = L'ぁ'; h <= L'ん'; ++h) {
        SCOPED_TRACE(static_cast<int>(h));
        EXPECT_EQ(ConvertForSending(Sj(h), kConvertKatakana, false), Sj(static_cast<wchar_t>(h + 0x60)));
    }
    for (wchar_t k = L'ァ'; k <= L'ヶ'; ++k) {
        SCOPED_TRACE(static_cast<int>(k));
        const std::string half = ConvertForSending(Sj(k), kConvertHalfWidthKana, false);
        const std::wstring wide = FromCp932(half);
        // Half-width forms split off their sound mark; the system reads them as U+FF61..U+FF9F.
        for (wchar_t c : wide) EXPECT_TRUE((c >= 0xFF61 && c <= 0xFF9F) || c == k) << static_cast<int>(c);
        EXPECT_EQ(ConvertForSending(half, kConvertFullWidth, false), Sj(k));
    }
    for (wchar_t c : std::wstring(L"ー。「」、・゛゜‐―"))
        EXPECT_EQ(FromCp932(Sj(c)), std::wstring(1, c)) << static_cast<int>(c);
}

}  // namespace
}  // namespace cv2

// The conversion of sent texts, over whole ranges of characters. Expected texts are built
// with the program's real code page 932 conversion (platform/Cp932.h), so these tests also
// check the conversion's own tables against it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "send/SendConversion.h"
#include "base/Cp932.h"

namespace cv2 {
namespace {

std::string Sj(std::u16string_view text) { return ToCp932(std::wstring(text.begin(), text.end())); }

std::u16string Uni(std::string_view text) {
    std::wstring wide = FromCp932(text);
    return std::u16string(wide.begin(), wide.end());
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    return out;
}

std::string Convert(std::string_view text, int mode, bool noHyphen = false) {
    return ConvertForSending(text, mode, noHyphen);
}

std::string Conv(std::u16string_view text, int mode, bool noHyphen = false) {
    return Convert(Sj(text), mode, noHyphen);
}

// Characters the conversion may change, by their Unicode form.
bool Convertible(char32_t c) {
    return (c >= 0xFF01 && c <= 0xFF5E) || c == 0x3000 || (c >= 0x3041 && c <= 0x3096) ||
           (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FC || c == 0x3001 || c == 0x3002 || c == 0x300C || c == 0x300D ||
           c == 0x30FB || c == 0x309B || c == 0x309C || c == 0x2010 || c == 0x2015;
}

TEST(SendConversion, ExamplesOfEachMode) {
    EXPECT_EQ(Conv(u"ＡＢＣ１２３　！ア", kConvertHalfWidthAscii), Sj(u"ABC123 !ア"));
    EXPECT_EQ(Conv(u"Abc 123-ｶﾞﾊﾟｳﾞｰ｡｢｣､･", kConvertFullWidth), Sj(u"Ａｂｃ　１２３－ガパヴー。「」、・"));
    EXPECT_EQ(Conv(u"やまだ ﾀﾛｳ ABC", kConvertKatakana), Sj(u"ヤマダ タロウ ABC"));
    EXPECT_EQ(Conv(u"ヤマダ ﾀﾛｳ ヴヵヶ", kConvertHiragana), Sj(u"やまだ たろう ヴヵヶ"));
    EXPECT_EQ(Conv(u"ガッコウ　ぱーく ＡＢ１ ヮヰヱヵヶゎゐゑ", kConvertHalfWidthKana),
              Sj(u"ｶﾞｯｺｳ ﾊﾟｰｸ AB1 ヮヰヱヵヶゎゐゑ"));
    EXPECT_EQ(Conv(u"ガ、「ヴ」。・", kConvertHalfWidthKana), Sj(u"ｶﾞ､｢ｳﾞ｣｡･"));
    const std::string mixed = Sj(u"山田 ﾀﾛｳ ＡＢ ひら-123");
    EXPECT_EQ(Convert(mixed, kConvertAsIs), mixed);
    for (int outside : {-1, 6, 1000}) EXPECT_EQ(Convert(mixed, outside), mixed) << outside;
}

TEST(SendConversion, EveryHalfWidthKanaAloneAndWithEachSoundMark) {
    const std::u16string voicedJoins = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ";
    const std::u16string semiVoicedJoins = u"パピプペポ";
    int joins = 0;
    for (char16_t h = u'｡'; h <= u'ﾟ'; ++h) {
        const std::u16string alone(1, h);
        SCOPED_TRACE(Hex(Sj(alone)));
        const std::string full = Conv(alone, kConvertFullWidth);
        ASSERT_EQ(Uni(full).size(), 1u);
        EXPECT_EQ(full.size(), 2u) << "a double-byte character";
        EXPECT_EQ(Convert(full, kConvertHalfWidthKana), Sj(alone)) << "back to half-width";
        EXPECT_EQ(Conv(alone, kConvertKatakana), full);
        EXPECT_EQ(Conv(alone, kConvertHiragana), Convert(full, kConvertHiragana));
        EXPECT_EQ(Conv(alone, kConvertHalfWidthAscii), Sj(alone));
        EXPECT_EQ(Conv(alone, kConvertHalfWidthKana), Sj(alone));

        for (char16_t mark : {u'ﾞ', u'ﾟ'}) {
            const std::u16string pair = alone + mark;
            const std::u16string& joinable = mark == u'ﾞ' ? voicedJoins : semiVoicedJoins;
            const std::u16string result = Uni(Conv(pair, kConvertFullWidth));
            if (result.size() == 1) {
                ++joins;
                EXPECT_NE(joinable.find(result[0]), std::u16string::npos) << "joined into an unexpected kana";
                EXPECT_EQ(Conv(result, kConvertHalfWidthKana), Sj(pair)) << "split back";
            } else {
                EXPECT_EQ(Sj(result), full + Conv(std::u16string(1, mark), kConvertFullWidth)) << "not joined";
            }
            EXPECT_EQ(Conv(pair, kConvertKatakana), Sj(result));
        }
    }
    EXPECT_EQ(joins, static_cast<int>(voicedJoins.size() + semiVoicedJoins.size()));
    // A sound mark joins only the kana right before it.
    EXPECT_EQ(Conv(u"ﾞｶ ﾟﾊﾞﾟ", kConvertFullWidth), Sj(u"゛カ　゜バ゜"));
    EXPECT_EQ(Conv(u"ｶﾞ", kConvertHiragana), Sj(u"が"));
    EXPECT_EQ(Conv(u"ｳﾞ", kConvertHiragana), Sj(u"ヴ")) << "no hiragana form in code page 932";
}

TEST(SendConversion, EveryFullWidthAsciiCharacter) {
    for (char16_t c = u'！'; c <= u'～'; ++c) {
        const std::u16string full(1, c);
        const std::string half(1, static_cast<char>(c - 0xFEE0));
        SCOPED_TRACE(Hex(Sj(full)));
        EXPECT_EQ(Conv(full, kConvertHalfWidthAscii), half);
        EXPECT_EQ(Conv(full, kConvertHalfWidthKana), half);
        EXPECT_EQ(Convert(half, kConvertFullWidth), Sj(full)) << "written as the system writes it";
        for (int mode : {kConvertAsIs, kConvertFullWidth, kConvertKatakana, kConvertHiragana})
            EXPECT_EQ(Conv(full, mode), Sj(full)) << mode;
        for (int mode :
             {kConvertAsIs, kConvertHalfWidthAscii, kConvertKatakana, kConvertHiragana, kConvertHalfWidthKana})
            EXPECT_EQ(Convert(half, mode), half) << mode;
    }
    EXPECT_EQ(Conv(u"\u3000", kConvertHalfWidthAscii), " ");
    EXPECT_EQ(Conv(u"\u3000", kConvertHalfWidthKana), " ");
    EXPECT_EQ(Convert(" ", kConvertFullWidth), Sj(u"\u3000"));
    // Code page 932 reads these as U+FF3C, U+FF5E, U+2225 and U+FF0D, whatever other
    // Shift-JIS tables say; the conversion must agree with the text's real reading.
    EXPECT_EQ(Convert("\x81\x5F\x81\x60\x81\x61\x81\x7C", kConvertHalfWidthAscii), "\\~\x81\x61-");
    // Both codes of ＂ and ＇ read as the same character.
    EXPECT_EQ(Uni("\xEE\xFC"), Uni("\xFA\x57"));
    EXPECT_EQ(Convert("\xEE\xFC\xFA\x57\xEE\xFB\xFA\x56", kConvertHalfWidthAscii), "\"\"''");
}

TEST(SendConversion, RoundTrips) {
    std::string ascii;
    for (int c = 0x20; c <= 0x7E; ++c) ascii += static_cast<char>(c);
    EXPECT_EQ(Convert(Convert(ascii, kConvertFullWidth), kConvertHalfWidthAscii), ascii);
    EXPECT_EQ(Convert(Convert(ascii, kConvertFullWidth), kConvertHalfWidthKana), ascii);

    for (char16_t h = u'ぁ'; h <= u'ん'; ++h) {
        const std::u16string hira(1, h);
        const std::string kata = Conv(hira, kConvertKatakana);
        EXPECT_EQ(Uni(kata), std::u16string(1, static_cast<char16_t>(h + 0x60)));
        EXPECT_EQ(Convert(kata, kConvertHiragana), Sj(hira));
    }
    for (char16_t k = u'ァ'; k <= u'ヶ'; ++k) {
        const std::string kata = Sj(std::u16string(1, k));
        SCOPED_TRACE(Hex(kata));
        const std::string hira = Convert(kata, kConvertHiragana);
        if (k >= u'ヴ') {
            EXPECT_EQ(hira, kata) << "no hiragana form in code page 932";
        } else {
            EXPECT_EQ(Uni(hira), std::u16string(1, static_cast<char16_t>(k - 0x60)));
        }
        EXPECT_EQ(Convert(hira, kConvertKatakana), kata);
        // Half-width and back: kana without a half-width form stay as they were.
        const std::string half = Convert(kata, kConvertHalfWidthKana);
        EXPECT_EQ(Convert(half, kConvertFullWidth), kata);
        EXPECT_EQ(Convert(hira, kConvertHalfWidthKana), half == kata ? hira : half);
        EXPECT_EQ(half == kata, std::u16string(u"ヮヰヱヵヶ").find(k) != std::u16string::npos);
    }
}

TEST(SendConversion, EveryOtherDoubleByteCharacterKeepsItsBytes) {
    int changed = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unicode = Uni(bytes);
            const bool convertible = unicode.size() == 1 && Convertible(unicode[0]);
            for (int mode = 0; mode < kConvertModeCount; ++mode) {
                const std::string out = Convert(bytes, mode, true);
                if (!convertible) {
                    EXPECT_EQ(out, bytes) << Hex(bytes) << " mode " << mode;
                } else if (out != bytes) {
                    ++changed;
                    // Only hyphens go away.
                    if (out.empty()) {
                        EXPECT_NE(std::u16string(u"‐―－").find(unicode[0]), std::u16string::npos) << Hex(bytes);
                    }
                }
            }
            // The conversion reads each character as the system does.
            if (convertible && unicode[0] >= u'！' && unicode[0] <= u'～') {
                EXPECT_EQ(Convert(bytes, kConvertHalfWidthAscii),
                          std::string(1, static_cast<char>(unicode[0] - 0xFEE0)))
                    << Hex(bytes);
            }
            if (convertible && unicode[0] >= u'ぁ' && unicode[0] <= u'ん') {
                EXPECT_EQ(Uni(Convert(bytes, kConvertKatakana)),
                          std::u16string(1, static_cast<char16_t>(unicode[0] + 0x60)))
                    << Hex(bytes);
            }
        }
    }
    EXPECT_GT(changed, 0);
    // Bytes that are no character at all, and characters with two codes, are left as they are.
    for (const char* odd :
         {"\x80", "\xA0", "\xFD\xFE\xFF", "\x81", "\x82", "\x87\x54\xFA\x4A", "\xED\x40", "\xF0\x40"}) {
        for (int mode = 0; mode < kConvertModeCount; ++mode) EXPECT_EQ(Convert(odd, mode, true), odd) << Hex(odd);
    }
    const std::string unchanged = Sj(u"漢字〒①ゝゞヽヾ〆々‖∥");
    for (int mode = 0; mode < kConvertModeCount; ++mode) EXPECT_EQ(Convert(unchanged, mode, true), unchanged) << mode;
}

TEST(SendConversion, SecondBytesThatLookLikeAsciiAreNotAscii) {
    // ソ 表 能 end in 0x5C ("\"), ァ 　 in 0x40 ("@"), ミ in 0x7E ("~"), ポ in 0x7C ("|").
    const std::string text = Sj(u"ソ表能ァ　ミポ");
    ASSERT_EQ(text, "\x83\x5C\x95\x5C\x94\x5C\x83\x40\x81\x40\x83\x7E\x83\x7C");
    EXPECT_EQ(Convert(text + "\\@~|-", kConvertFullWidth), Sj(u"ソ表能ァ　ミポ＼＠～｜－"));
    EXPECT_EQ(Convert(text + "\\@", kConvertHalfWidthAscii), "\x83\x5C\x95\x5C\x94\x5C\x83\x40 \x83\x7E\x83\x7C\\@");
    EXPECT_EQ(Convert(text, kConvertHalfWidthKana), Sj(u"ｿ表能ｧ ﾐﾎﾟ"));
    EXPECT_EQ(Convert(text, kConvertHiragana), Sj(u"そ表能ぁ　みぽ"));
    EXPECT_EQ(Convert(text, kConvertAsIs, true), text);
}

TEST(SendConversion, Hyphens) {
    EXPECT_EQ(Convert("03-1234-5678", kConvertAsIs, true), "0312345678");
    EXPECT_EQ(Conv(u"〒123ー4567", kConvertAsIs, true), Sj(u"〒1234567"));
    EXPECT_EQ(Conv(u"コーヒー", kConvertAsIs, true), Sj(u"コーヒー"));
    EXPECT_EQ(Conv(u"ｺｰﾋｰ 1ｰ2 １ー２ １ｰ2", kConvertAsIs, true), Sj(u"ｺｰﾋｰ 12 １２ １2"));
    EXPECT_EQ(Conv(u"a-b－c‐d―e", kConvertAsIs, true), Sj(u"abcde"));
    EXPECT_EQ(Conv(u"ー1 1ー ーー 1ーー2", kConvertAsIs, true), Sj(u"ー1 1ー ーー 1ーー2"));
    // The mode comes first: its digits and hyphens count.
    EXPECT_EQ(Conv(u"０３－１２３４ー５６７８", kConvertHalfWidthAscii, true), "0312345678");
    EXPECT_EQ(Conv(u"03-1234", kConvertFullWidth, true), Sj(u"０３１２３４"));
    EXPECT_EQ(Conv(u"123ー4567", kConvertHalfWidthKana, true), "1234567");
    EXPECT_EQ(Conv(u"-－‐―", kConvertAsIs, true), "");
    EXPECT_EQ(Convert("03-1234", kConvertAsIs, false), "03-1234");
}

}  // namespace
}  // namespace cv2

#include "send/SendConversion.h"

#include <array>
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace cv2 {
namespace {

// Code page 932 codes of U+FF01..U+FF5E. Code page 932 has two codes for ＂ and ＇
// (0xFA57/0xEEFC, 0xFA56/0xEEFB); both read as the same character, and the system writes
// the first, as this table does. 0x815F ＼ and 0x8160 ～ are U+FF3C and U+FF5E in code
// page 932 (not U+005C and U+301C as in other Shift-JIS tables).
constexpr std::array<std::uint16_t, 94> kFullWidthAscii{
    0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56, 0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144,
    0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, 0x8257, 0x8258, 0x8146, 0x8147, 0x8183,
    0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269,
    0x826A, 0x826B, 0x826C, 0x826D, 0x826E, 0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277,
    0x8278, 0x8279, 0x816D, 0x815F, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286,
    0x8287, 0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293, 0x8294,
    0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,
};

struct CodePair {
    std::uint16_t cp932;
    char16_t unicode;
};
// The other double-byte characters the conversion reads or writes.
constexpr CodePair kOtherDoubleByte[] = {
    {0x8140, u'\u3000'}, {0x8141, u'、'}, {0x8142, u'。'}, {0x8145, u'・'}, {0x814A, u'゛'},
    {0x814B, u'゜'},     {0x815B, u'ー'}, {0x815C, u'―'},  {0x815D, u'‐'},  {0x8175, u'「'},
    {0x8176, u'」'},     {0xEEFC, u'＂'}, {0xEEFB, u'＇'},  // read only: writing uses the codes of kFullWidthAscii
};

constexpr char16_t kHiraganaFirst = u'ぁ';  // U+3041, 0x829F
constexpr char16_t kHiraganaLast = u'ん';   // U+3093, 0x82F1: the last hiragana of code page 932
constexpr char16_t kKatakanaFirst = u'ァ';  // U+30A1, 0x8340
constexpr char16_t kKatakanaLast = u'ヶ';   // U+30F6, 0x8396
constexpr char16_t kKanaOffset = u'ァ' - u'ぁ';
constexpr char16_t kHalfKanaFirst = u'｡';  // U+FF61, 0xA1
constexpr char16_t kHalfKanaLast = u'ﾟ';   // U+FF9F, 0xDF
constexpr char16_t kHalfVoiced = u'ﾞ';
constexpr char16_t kHalfSemiVoiced = u'ﾟ';
constexpr char16_t kFullWidthOffset = u'！' - u'!';
constexpr char16_t kIdeographicSpace = u'\u3000';

// Full-width forms of U+FF61..U+FF9F.
constexpr char16_t kHalfKanaToFull[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜',
};
static_assert(std::size(kHalfKanaToFull) == kHalfKanaLast - kHalfKanaFirst + 1);

// A unit of the text: one character with its bytes as they were, and its code point when
// it is one the conversion knows (0 otherwise; such characters are never changed).
struct Unit {
    char16_t code;
    std::string bytes;
};

char16_t DecodeDoubleByte(std::uint16_t cp932) {
    if (cp932 >= 0x829F && cp932 <= 0x82F1) return static_cast<char16_t>(kHiraganaFirst + (cp932 - 0x829F));
    if (cp932 >= 0x8340 && cp932 <= 0x837E) return static_cast<char16_t>(kKatakanaFirst + (cp932 - 0x8340));
    // 0x837F is no character; the row goes on at 0x8380 with ム.
    if (cp932 >= 0x8380 && cp932 <= 0x8396) return static_cast<char16_t>(u'ム' + (cp932 - 0x8380));
    for (std::size_t i = 0; i < kFullWidthAscii.size(); ++i)
        if (kFullWidthAscii[i] == cp932) return static_cast<char16_t>(u'！' + i);
    for (const CodePair& p : kOtherDoubleByte)
        if (p.cp932 == cp932) return p.unicode;
    return 0;
}

// The code page 932 form of a code point, or empty when it has none the conversion knows.
std::string Encode(char16_t c) {
    auto two = [](unsigned code) { return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; };
    if (c >= 0x20 && c <= 0x7E) return std::string(1, static_cast<char>(c));
    if (c >= kHalfKanaFirst && c <= kHalfKanaLast)
        return std::string(1, static_cast<char>(0xA1 + (c - kHalfKanaFirst)));
    if (c >= u'！' && c <= u'～') return two(kFullWidthAscii[c - u'！']);
    if (c >= kHiraganaFirst && c <= kHiraganaLast) return two(0x829Fu + (c - kHiraganaFirst));
    if (c >= kKatakanaFirst && c <= u'ミ') return two(0x8340u + (c - kKatakanaFirst));
    if (c >= u'ム' && c <= kKatakanaLast) return two(0x8380u + (c - u'ム'));
    for (const CodePair& p : kOtherDoubleByte)
        if (p.unicode == c && p.cp932 < 0xE000) return two(p.cp932);
    return {};
}

std::vector<Unit> Split(std::string_view text) {
    std::vector<Unit> units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            units.push_back(
                {DecodeDoubleByte(static_cast<std::uint16_t>(b << 8 | trail)), std::string(text.substr(i, 2))});
            i += 2;
            continue;
        }
        char16_t code = 0;
        // A lead byte without its second byte is no character; it stays as it is.
        if (b >= 0x20 && b <= 0x7E)
            code = b;
        else if (b >= 0xA1 && b <= 0xDF)
            code = static_cast<char16_t>(kHalfKanaFirst + (b - 0xA1));
        units.push_back({code, std::string(1, text[i])});
        i += 1;
    }
    return units;
}

// Replaces a unit's character when the result has a code page 932 form.
void Replace(Unit& unit, char16_t to) {
    if (to == unit.code) return;
    std::string bytes = Encode(to);
    if (bytes.empty()) return;
    unit = {to, std::move(bytes)};
}

Unit Made(char16_t code) { return {code, Encode(code)}; }

bool IsHalfKana(char16_t c) { return c >= kHalfKanaFirst && c <= kHalfKanaLast; }
bool IsHiragana(char16_t c) { return c >= kHiraganaFirst && c <= u'ゖ'; }
bool IsKatakana(char16_t c) { return c >= kKatakanaFirst && c <= kKatakanaLast; }

// The full-width katakana that a half-width one followed by a sound mark joins into, or 0.
char16_t Joined(char16_t halfKana, char16_t mark) {
    const char16_t base = kHalfKanaToFull[halfKana - kHalfKanaFirst];
    if (mark == kHalfVoiced) {
        if (halfKana == u'ｳ') return u'ヴ';
        if ((halfKana >= u'ｶ' && halfKana <= u'ﾄ') || (halfKana >= u'ﾊ' && halfKana <= u'ﾎ'))
            return static_cast<char16_t>(base + 1);
    }
    if (mark == kHalfSemiVoiced && halfKana >= u'ﾊ' && halfKana <= u'ﾎ') return static_cast<char16_t>(base + 2);
    return 0;
}

// Half-width katakana to full-width, sound marks joined to the kana before them.
std::vector<Unit> HalfKanaToFull(std::vector<Unit> units) {
    std::vector<Unit> out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        Unit unit = std::move(units[i]);
        if (!IsHalfKana(unit.code)) {
            out.push_back(std::move(unit));
            continue;
        }
        if (i + 1 < units.size() && IsHalfKana(units[i + 1].code)) {
            if (char16_t joined = Joined(unit.code, units[i + 1].code)) {
                out.push_back(Made(joined));
                ++i;
                continue;
            }
        }
        Replace(unit, kHalfKanaToFull[unit.code - kHalfKanaFirst]);
        out.push_back(std::move(unit));
    }
    return out;
}

// The half-width spelling of a full-width katakana (with its sound mark), of ー and of the
// punctuation; none (kana 0) for those without one, such as ヮ ヰ ヱ ヵ ヶ.
struct HalfSpelling {
    char16_t kana = 0;
    char16_t mark = 0;
};
HalfSpelling HalfSpellingOf(char16_t full) {
    if (full == 0) return {};
    for (char16_t h = kHalfKanaFirst; h <= kHalfKanaLast; ++h) {
        if (kHalfKanaToFull[h - kHalfKanaFirst] == full) return {h, 0};
        for (char16_t mark : {kHalfVoiced, kHalfSemiVoiced})
            if (Joined(h, mark) == full) return {h, mark};
    }
    return {};
}

void ToHalfWidthAscii(Unit& unit) {
    if (unit.code >= u'！' && unit.code <= u'～')
        Replace(unit, static_cast<char16_t>(unit.code - kFullWidthOffset));
    else if (unit.code == kIdeographicSpace)
        Replace(unit, u' ');
}

std::vector<Unit> Convert(std::vector<Unit> units, int mode) {
    switch (mode) {
        case kConvertHalfWidthAscii:
            for (Unit& u : units) ToHalfWidthAscii(u);
            return units;
        case kConvertFullWidth:
            units = HalfKanaToFull(std::move(units));
            for (Unit& u : units) {
                if (u.code >= u'!' && u.code <= u'~')
                    Replace(u, static_cast<char16_t>(u.code + kFullWidthOffset));
                else if (u.code == u' ')
                    Replace(u, kIdeographicSpace);
            }
            return units;
        case kConvertKatakana:
            units = HalfKanaToFull(std::move(units));
            for (Unit& u : units)
                if (IsHiragana(u.code)) Replace(u, static_cast<char16_t>(u.code + kKanaOffset));
            return units;
        case kConvertHiragana:
            units = HalfKanaToFull(std::move(units));
            for (Unit& u : units)
                if (IsKatakana(u.code)) Replace(u, static_cast<char16_t>(u.code - kKanaOffset));
            return units;
        case kConvertHalfWidthKana: {
            std::vector<Unit> out;
            out.reserve(units.size() * 2);
            for (Unit& u : units) {
                const char16_t kana = IsHiragana(u.code) ? static_cast<char16_t>(u.code + kKanaOffset) : u.code;
                const HalfSpelling s = IsHalfKana(kana) ? HalfSpelling{} : HalfSpellingOf(kana);
                if (s.kana) {
                    out.push_back(Made(s.kana));
                    if (s.mark) out.push_back(Made(s.mark));
                    continue;
                }
                ToHalfWidthAscii(u);
                out.push_back(std::move(u));
            }
            return out;
        }
        default:
            return units;
    }
}

bool IsDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); }

std::vector<Unit> RemoveHyphens(std::vector<Unit> units) {
    std::vector<Unit> kept;
    kept.reserve(units.size());
    for (Unit& u : units)
        if (u.code != u'-' && u.code != u'－' && u.code != u'‐' && u.code != u'―') kept.push_back(std::move(u));
    // A long-vowel mark is a hyphen only between digits ("〒123ー4567"); in "コーヒー" it is not.
    std::vector<Unit> out;
    out.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const bool mark = kept[i].code == u'ー' || kept[i].code == u'ｰ';
        if (mark && i > 0 && i + 1 < kept.size() && IsDigit(kept[i - 1].code) && IsDigit(kept[i + 1].code)) continue;
        out.push_back(std::move(kept[i]));
    }
    return out;
}

}  // namespace

std::string ConvertForSending(std::string_view text, int mode, bool noHyphen) {
    if ((mode <= kConvertAsIs || mode >= kConvertModeCount) && !noHyphen) return std::string(text);
    std::vector<Unit> units = Convert(Split(text), mode);
    if (noHyphen) units = RemoveHyphens(std::move(units));
    std::string out;
    out.reserve(text.size() * 2);
    for (const Unit& u : units) out += u.bytes;
    return out;
}

}  // namespace cv2

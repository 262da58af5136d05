#pragma once
// The pixel maps of the program's pictures: one string per pixel row, one character per
// pixel, colours from kPalette (or from a map's own swatches). '.' is transparent.
// scripts/make_icon.py reads kPalette, kAppIcon32 and kAppIcon16 from this file to write
// the .ico file, so keep their layout: one {'c', 0xAARRGGBBu} swatch and one quoted
// row per line.
// The rows are pictures, one line per pixel row: the formatter leaves them alone.
// clang-format off
#include <cstdint>

namespace cv2::maps {

struct Swatch {
    char key;
    std::uint32_t argb;
};

// Mostly the classic sixteen colours, plus a few hues that pencils, skin and wood need.
inline constexpr Swatch kPalette[] = {
    {'.', 0x00000000u},  // transparent
    {'K', 0xFF000000u},  // black
    {'g', 0xFF808080u},  // dark grey
    {'s', 0xFFC0C0C0u},  // silver
    {'e', 0xFFE0E0E0u},  // light grey
    {'W', 0xFFFFFFFFu},  // white
    {'r', 0xFF800000u},  // dark red
    {'R', 0xFFFF0000u},  // red
    {'o', 0xFF808000u},  // olive
    {'Y', 0xFFFFFF00u},  // yellow
    {'y', 0xFFD0A000u},  // dark yellow
    {'n', 0xFF008000u},  // dark green
    {'G', 0xFF00C000u},  // green
    {'b', 0xFF000080u},  // navy
    {'B', 0xFF0000FFu},  // blue
    {'l', 0xFF80B0FFu},  // light blue
    {'t', 0xFF008080u},  // teal
    {'C', 0xFF00FFFFu},  // cyan
    {'p', 0xFF800080u},  // purple
    {'M', 0xFFFF00FFu},  // magenta
    {'O', 0xFFFF8000u},  // orange
    {'d', 0xFFC05800u},  // dark orange
    {'P', 0xFFFF90C8u},  // pink
    {'q', 0xFFD04890u},  // deep pink
    {'f', 0xFFFFD8B0u},  // skin
    {'h', 0xFFE0A070u},  // skin shadow, shaded wood
    {'w', 0xFFF8D8A0u},  // bare wood
    {'u', 0xFF804000u},  // brown
};

// ---- Item icons 0..11 ----

// The coloured pencils: '1' highlight, '2' colour, '3' shade, from each pencil's ink.
inline constexpr const char* kPencil[] = {
    "..................",
    ".............KK...",
    "............K12K..",
    "...........K1223K.",
    "..........K1223K..",
    ".........K1223K...",
    "........K1223K....",
    ".......K1223K.....",
    "......K1223K......",
    ".....K1223K.......",
    "....Kww23K........",
    "...KwwhhK.........",
    "...KwwhK..........",
    "..KwhhK...........",
    "..K23K............",
    ".K23K.............",
    ".K3K..............",
    "..K...............",
};
inline constexpr Swatch kBlueInk[] = {{'1', 0xFF80A0FFu}, {'2', 0xFF0000FFu}, {'3', 0xFF000080u}};
inline constexpr Swatch kPinkInk[] = {{'1', 0xFFFFC8E4u}, {'2', 0xFFFF80C0u}, {'3', 0xFFC04080u}};
inline constexpr Swatch kOrangeInk[] = {{'1', 0xFFFFC080u}, {'2', 0xFFFF8000u}, {'3', 0xFFC05000u}};
inline constexpr Swatch kYellowInk[] = {{'1', 0xFFFFFFB0u}, {'2', 0xFFFFFF00u}, {'3', 0xFFC0A000u}};
inline constexpr Swatch kGreenInk[] = {{'1', 0xFF80FF80u}, {'2', 0xFF00C000u}, {'3', 0xFF006000u}};

// A red post box with the postal mark.
inline constexpr const char* kPostBox[] = {
    "..................",
    ".....KKKKKKKK.....",
    "....KRRRRRRRRK....",
    "...KRPRRRRRRRrK...",
    "...KRKKKKKKKKrK...",
    "...KRPRRRRRRRrK...",
    "...KRWWWWWWWWrK...",
    "...KRPRRRRRRRrK...",
    "...KRWWWWWWWWrK...",
    "...KRPRRWWRRRrK...",
    "...KRPRRWWRRRrK...",
    "...KRPRRWWRRRrK...",
    "...KRPRRRRRRRrK...",
    "...KKKKKKKKKKKK...",
    "......KggggK......",
    "......KggggK......",
    "....KKKKKKKKKK....",
    "..................",
};

inline constexpr const char* kHouse[] = {
    "..................",
    "........KK.KKKK...",
    ".......KRRKKrrK...",
    "......KRRRRKrrK...",
    ".....KRRRRRRRrK...",
    "....KRRRRRRRRK....",
    "...KRRRRRRRRRRK...",
    "..KRRRRRRRRRRRRK..",
    ".KKKKKKKKKKKKKKKK.",
    "...KWWWWWWWWWsK...",
    "...KKKKKWKKKKsK...",
    "...KKuuKWKllKsK...",
    "...KKuuKWKllKsK...",
    "...KKuYKWKKKKsK...",
    "...KKuuKWWWWWsK...",
    "...KKuuKWWWWWsK...",
    ".KKKKKKKKKKKKKKKK.",
    "..................",
};

inline constexpr const char* kMan[] = {
    "..................",
    "......KKKKKK......",
    ".....KuuuuuuK.....",
    "....KuuuuuuuuK....",
    "....KuuuuuuuuK....",
    "....KuffffffuK....",
    "...KKffffffffKK...",
    "...KfKffffffKfK...",
    "...KfffKffKfffK...",
    "....KffffffffK....",
    "....KfffhhfffK....",
    ".....KffffffK.....",
    ".....KffrrffK.....",
    "......KffffK......",
    "....KKKKffKKKK....",
    "..KbbbbWKKWbbbbK..",
    "..KbbbbbWRWbbbbK..",
    "..KbbbbbbRbbbbbK..",
};

inline constexpr const char* kWoman[] = {
    "..................",
    "......KKKKKK......",
    ".....KuuuuuuK.....",
    "....KuuuuuuuuK....",
    "...KuuuuuuuuuuK...",
    "..KuuuuffffuuuuK..",
    "..KuuuffffffuuuK..",
    "..KuufKffffKfuuK..",
    "..KuuffffffffuuK..",
    "..KuufffhhfffuuK..",
    "..KuuffffffffuuK..",
    "..KuuffRRRRffuuK..",
    "..KuuKffffffKuuK..",
    "..KuuuKKffKKuuuK..",
    "..KuuKPPffPPKuuK..",
    "..KKPPPPPPPPPPKK..",
    "..KPPPPPPPPPPPPK..",
    "..KPPPPPPPPPPPPK..",
};

inline constexpr const char* kTelephone[] = {
    "..................",
    "..................",
    "..KKKKKKKKKKKKKK..",
    ".KRRRRRRRRRRRRRRK.",
    "KRRrKKKKKKKKKKRrRK",
    "KRrK..........KRrK",
    "KKKK...KKKK...KKKK",
    "......KrrrrK......",
    ".....KRRRRRRK.....",
    "....KRRKKKKRRK....",
    "...KRRKWKWKKRRK...",
    "...KRRKKWKWKRRK...",
    "..KRRRKWKWKKRRrK..",
    "..KRRRRKKKKRRRrK..",
    "..KRRRRRRRRRRRrK..",
    "..KrrrrrrrrrrrrK..",
    "..KKKKKKKKKKKKKK..",
    "..................",
};

inline constexpr const char* kFax[] = {
    "..................",
    "......KKKKKKKK....",
    "......KWWWWWWK....",
    "......KWggggWK....",
    "......KWWWWWWK....",
    "......KWggggWK....",
    ".KKK..KWWWWWWK....",
    "KgsgK.KWggggWK....",
    "KgsgKKKKKKKKKKKKK.",
    "KgsgKssssssssssssK",
    "KgsgKsKKKKKKKKKsgK",
    "KgsgKssssssssssssK",
    "KgsgKsRsnsKKsKsKgK",
    "KgsgKssssssssssssK",
    "KgsgKsKsKsKsKsKsgK",
    ".KKKKssssssssssssK",
    "....KggggggggggggK",
    "....KKKKKKKKKKKKKK",
};

inline constexpr const char* kMail[] = {
    "..................",
    "....KKKKKKKKKK....",
    "....KWWWWWWWWK....",
    "....KWggggggWK....",
    "....KWWWWWWWWK....",
    "....KWggggggWK....",
    "....KWWWWWWWWK....",
    "KKKKKWggggggWKKKKK",
    "KWWKKWWWWWWWWKKWWK",
    "KWWWWKKWWWWWKKWWWK",
    "KWWWWWWKKKKKWWWWWK",
    "KWWWWWWWWWWWWWWWWK",
    "KWWWKWWWWWWWWKWWWK",
    "KWWKWWWWWWWWWWKWWK",
    "KWKWWWWWWWWWWWWKWK",
    "KKsssssssssssssKsK",
    "KKKKKKKKKKKKKKKKKK",
    "..................",
};

// Drawn over an item icon to mark the selected item: a hand writing with a pen.
inline constexpr const char* kHandWithPen[] = {
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "................KK",
    "...............KlK",
    "..............KlBK",
    "..........KK.KlBK.",
    ".........KffKKBKKK",
    ".........KfffKfhWb",
    "........KlKfffhhWb",
    ".......KlBKffhhhWb",
    ".......KgKKhhhhKbb",
    ".......KK..KKKK.bb",
};

// ---- Toolbar and menu glyphs 24..43 ----

inline constexpr const char* kNo[] = {
    "..................",
    "..................",
    "..................",
    "..KK....KK........",
    "..KKK...KK........",
    "..KKKK..KK........",
    "..KK.KK.KK........",
    "..KK.KK.KK..KKKK..",
    "..KK..KKKK.KK..KK.",
    "..KK...KKK.KK..KK.",
    "..KK....KK.KK..KK.",
    "..KK....KK.KK..KK.",
    "..KK....KK..KKKK..",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
};

inline constexpr const char* kTab[] = {
    "..................",
    "..................",
    ".KKKKKKKK.........",
    ".KKKKKKKK.........",
    "....KK............",
    "....KK............",
    "....KK............",
    "....KK......B.....",
    "....KK......BB....",
    "....KK......BBB...",
    "....KK.BBBBBBBBB..",
    "....KK.BBBBBBBBBB.",
    "....KK.BBBBBBBBB..",
    "....KK......BBB...",
    "....KK......BB....",
    "............B.....",
    "..................",
    "..................",
};

inline constexpr const char* kEnter[] = {
    "..................",
    ".KKKKKK...........",
    ".KKKKKK...........",
    ".KK..........BB...",
    ".KK..........BB...",
    ".KKKKK.......BB...",
    ".KKKKK.......BB...",
    ".KK..........BB...",
    ".KKKKKK......BB...",
    ".KKKKKK.B....BB...",
    ".......BB....BB...",
    "......BBB....BB...",
    ".....BBBBBBBBBB...",
    ".....BBBBBBBBBB...",
    "......BBB.........",
    ".......BB.........",
    "........B.........",
    "..................",
};

inline constexpr const char* kOpenFolder[] = {
    "..................",
    "..................",
    "..KKKK............",
    ".KYYYYK...........",
    ".KYyyyYKKKKKKK....",
    ".KYyyyyyyyyyyK....",
    ".KYyyyyyyyyyyK....",
    ".KYyyyKKKKKKKKKKKK",
    ".KYyyKYYYYYYYYYYK.",
    ".KYyyKYYYYYYYYYYK.",
    ".KYyKYYYYYYYYYYK..",
    ".KYyKYYYYYYYYYYK..",
    ".KYKYYYYYYYYYYK...",
    ".KYKYYYYYYYYYYK...",
    ".KKYYYYYYYYYYK....",
    ".KKKKKKKKKKKKK....",
    "..................",
    "..................",
};

inline constexpr const char* kFloppy[] = {
    "..................",
    "..KKKKKKKKKKKKKK..",
    "..KbKWWWWWWWWKbK..",
    "..KbKWWWWWWWWKbK..",
    "..KbKWWWWWWWWKbK..",
    "..KbKWWWWWWWWKbK..",
    "..KbKWWWWWWWWKbK..",
    "..KbbKKKKKKKKbbK..",
    "..KbbbbbbbbbbbbK..",
    "..KbbssssssssbbK..",
    "..KbbssKKsssbbbK..",
    "..KbbssKKsssbbbK..",
    "..KbbssKKsssbbbK..",
    "..KbbssssssssbbK..",
    "...KKKKKKKKKKKKK..",
    "..................",
    "..................",
    "..................",
};

inline constexpr const char* kNewSheet[] = {
    "..................",
    "...KKKKKKKK.......",
    "...KWWWWWWKK......",
    "...KWWWWWWKWK.....",
    "...KWWWWWWKWWK....",
    "...KWWWWWWKKKKK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KWWWWWWWWWWK...",
    "...KKKKKKKKKKKK...",
    "..................",
    "..................",
};

inline constexpr const char* kPasteInto[] = {
    "........KKK.......",
    "........KGK.......",
    "........KGK.......",
    "........KGK.......",
    "........KGK.......",
    "......KKKGKKK.....",
    ".......KGGGK......",
    "........KGK.......",
    ".........K........",
    "..................",
    "KKKKKKKKKKKKKKKKKK",
    "KgggggggggggggggWK",
    "KgKKKKKKKKKKKKKKWK",
    "KgKWWWWWWWWWWWWsWK",
    "KgKWKWWWWWWWWWWsWK",
    "KgKWWWWWWWWWWWWsWK",
    "KgssssssssssssssWK",
    "KWWWWWWWWWWWWWWWWK",
};

inline constexpr const char* kWindowPlus[] = {
    "..................",
    "KKKKKKKKKKKKK.....",
    "KbbbbbbbbbbbK.....",
    "KbbbbbbbbbbbK.....",
    "KKKKKKKKKKKKK.....",
    "KWWWWWWWWWWWK.....",
    "KWWWWWWWWWWWK.....",
    "KWWWWWWWWWWWK.....",
    "KWWWWWWWWWWKKKK...",
    "KWWWWWWWWWWKGGK...",
    "KWWWWWWWWWWKGGK...",
    "KWWWWWWWKKKKGGKKKK",
    "KKKKKKKKKGGGGGGGGK",
    "........KGGGGGGGGK",
    "........KKKKGGKKKK",
    "...........KGGK...",
    "...........KGGK...",
    "...........KKKK...",
};

inline constexpr const char* kResize[] = {
    "..................",
    "..................",
    ".KKKKKKKKK....BB..",
    ".............BBBB.",
    "............BBBBBB",
    ".KKKKKKKKK....BB..",
    "..............BB..",
    "..............BB..",
    ".KKKKKKKKK....BB..",
    "..............BB..",
    "..............BB..",
    ".KKKKKKKKK....BB..",
    "..............BB..",
    "..............BB..",
    ".KKKKK..BBBBBBBB..",
    "........BBBBBBBB..",
    "..................",
    "..................",
};

inline constexpr const char* kAddItem[] = {
    ".............O....",
    "..........d..Y..d.",
    "...........d.Y.d..",
    "............YYY...",
    ".........OYYYWYYYO",
    "............YYY...",
    "..KK.KKK...d.Y.d..",
    "..KK......d..Y..d.",
    ".............O....",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
};

inline constexpr const char* kAddChild[] = {
    ".............O....",
    "..........d..Y..d.",
    "...........d.Y.d..",
    "............YYY...",
    ".........OYYYWYYYO",
    "............YYY...",
    "..KK.KKK...d.Y.d..",
    "..KK......d..Y..d.",
    ".............O....",
    ".....KK.KKKKKKKK..",
    ".....KK...........",
    "..................",
    ".....KK.KKKKKKKK..",
    ".....KK...........",
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
};

inline constexpr const char* kExpandAll[] = {
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "...........KKKK...",
    "..KK.KKK...KRRK...",
    "..KK.......KRRK...",
    "........KKKKRRKKKK",
    "........KRRRRRRRRK",
    "..KK.KK.KRRRRRRRRK",
    "..KK....KKKKRRKKKK",
    "...........KRRK...",
    "...........KRRK...",
    "...........KKKK...",
};

inline constexpr const char* kCollapseAll[] = {
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "..................",
    "..KK.KKKKKKKKKK...",
    "..KK..............",
    "..................",
    "..................",
    "..KK.KKKKKK.......",
    "..KK..............",
    "........KKKKKKKKKK",
    "........KGGGGGGGGK",
    "..KK.KK.KGGGGGGGGK",
    "..KK....KKKKKKKKKK",
    "..................",
    "..................",
    "..................",
};

inline constexpr const char* kEditText[] = {
    "..................",
    "..KK.KKKKKKKK.....",
    "..KK..............",
    "..................",
    "..KK.KKKKKKKK.....",
    "..KK..............",
    "..................",
    "KKKKKKKKKKKKKKKKKK",
    "KWWWWWWWWWWWWWWWWK",
    "KWKK.KKKKKKKKKWWWK",
    "KWKKWWWWWWWWWKWWWK",
    "KWWWWWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKKKKKK",
    "..................",
    "..KK.KKKKKKKK.....",
    "..KK..............",
    "..................",
    "..................",
};

inline constexpr const char* kDelete[] = {
    "..................",
    ".RR............RR.",
    "..RRKKKKKKKKKKRR..",
    "..KRRllllllllRRK..",
    "..KlRRllllllRRlK..",
    "..KllRRllllRRllK..",
    "..KlllRRllRRlllK..",
    "..KllllRRRRllllK..",
    "..KlllllRRlllllK..",
    "..KllllRRRRllllK..",
    "..KlllRRllRRlllK..",
    "..KllRRllllRRllK..",
    "..KlRRllllllRRlK..",
    "..KRRllllllllRRK..",
    "..RRllllllllllRR..",
    ".RRKKKKKKKKKKKKRR.",
    "RR..............RR",
    "..................",
};

inline constexpr const char* kDeleteAll[] = {
    ".RR............RR.",
    "..RR.KKKKKKKKKRR..",
    "..KRR........RR...",
    "....RR......RR....",
    "..KK.RRKKKKRRKK...",
    "..KK..RR..RR......",
    ".......RRRR.......",
    "..KK.KKKRRKKKKK...",
    "..KK...RRRR.......",
    "......RR..RR......",
    "..KK.RRKKKKRRKK...",
    "..KKRR......RR....",
    "...RR........RR...",
    "..RR.KKKKKKKKKRR..",
    ".RRK...........RR.",
    "RR..............RR",
    "..................",
    "..................",
};

inline constexpr const char* kHelpBook[] = {
    "..................",
    "..KKKKKKKKKKKKK...",
    "..KbKBBBBBBBBBK...",
    "..KbKBBBYYYBBBK...",
    "..KbKBBYYBYYBBK...",
    "..KbKBBBBBYYBBK...",
    "..KbKBBBBYYBBBK...",
    "..KbKBBBYYBBBBK...",
    "..KbKBBBYYBBBBK...",
    "..KbKBBBBBBBBBK...",
    "..KbKBBBYYBBBBK...",
    "..KbKBBBYYBBBBK...",
    "..KbKBBBBBBBBBK...",
    "..KbKKKKKKKKKKKK..",
    "..KbKWWWWWWWWWsK..",
    "..KbKsssssssssK...",
    "..KKKKKKKKKKKKK...",
    "..................",
};

inline constexpr const char* kPictures[] = {
    "..................",
    "KKKKKKKKKKKKK.....",
    "KsssssssssssK.....",
    "KsllllllllYsK.....",
    "KslllllllYYsK.....",
    "KsllllKKKKKKKKKKKK",
    "KslllKsssssssssssK",
    "KsllnKsllllllllYsK",
    "KslnnKslllllllYYsK",
    "KsnnnKsllllllllllK",
    "KsnnnKslllllGllllK",
    "KsssKKsllllGGGlllK",
    "KKKKKKslllGGGGGllK",
    ".....KsllGGGGGGGlK",
    ".....KslGGGGGGGGGK",
    ".....KsssssssssssK",
    ".....KKKKKKKKKKKKK",
    "..................",
};

inline constexpr const char* kMouseOne[] = {
    "......K...........",
    "......K...........",
    "....KKKKK.........",
    "...KRRKssK........",
    "..KRRRKsssK.......",
    "..KRRRKsssK....BB.",
    "..KRRRKsssK...BBB.",
    "..KKKKKKKKK..BBBB.",
    "..KWsssssgK....BB.",
    "..KWsssssgK....BB.",
    "..KWsssssgK....BB.",
    "..KWsssssgK....BB.",
    "..KWsssssgK....BB.",
    "...KssssgK.....BB.",
    "....KKKKK......BB.",
    ".............BBBBB",
    "..................",
    "..................",
};

// Sending with conversion: a Latin "A", an arrow, and the katakana "ア" it becomes.
inline constexpr const char* kConvertText[] = {
    "..................",
    "...BB.........KK..",
    "..BBBB........KK..",
    "..BBBB........KK..",
    ".BB..BB.......KK..",
    ".BB..BB.....KKKKKK",
    ".BBBBBB......KKKK.",
    "BB....BB......KK..",
    "BB....BB..........",
    "..................",
    "........RRRRRRRRR.",
    "........RRRRRRRRR.",
    "...........RR..RR.",
    "...........RRRR...",
    "...........RR.....",
    "...........RR.....",
    "..........RR......",
    "........RRR.......",
};

// Sending an item's children one after another: the children's lines and an arrow down
// beside them.
inline constexpr const char* kGroupSend[] = {
    "..................",
    "..................",
    "..KK.KKKKKKKK.....",
    "..KK..............",
    "..................",
    ".....KK.KKKK..BB..",
    ".....KK.......BB..",
    "..............BB..",
    ".....KK.KKKK..BB..",
    ".....KK.......BB..",
    "..............BB..",
    ".....KK.KKKK..BB..",
    ".....KK.......BB..",
    "............BBBBBB",
    ".............BBBB.",
    "..............BB..",
    "..................",
    "..................",
};

// Drawn over an item icon when the item has a way of sending of its own: a small orange tag
// with a white arrow, in the corner the selection's hand leaves free.
inline constexpr const char* kSendChoiceMark[] = {
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
    ".KKKKK............",
    "KOWOOOK...........",
    "KOWWOOK...........",
    "KOWWWOK...........",
    "KOWWOOK...........",
    "KOWOOOK...........",
    ".KKKKK............",
};

// The hotkeys: a key of the keyboard seen from above, with the V of Ctrl+Alt+V.
inline constexpr const char* kHotKeyCap[] = {
    "..................",
    "..KKKKKKKKKKKKKK..",
    ".KssssssssssssssK.",
    ".KsWWWWWWWWWWWWgK.",
    ".KsWWWWWWWWWWWWgK.",
    ".KsWbbWWWWWWbbWgK.",
    ".KsWbbWWWWWWbbWgK.",
    ".KsWWbbWWWWbbWWgK.",
    ".KsWWbbWWWWbbWWgK.",
    ".KsWWWbbWWbbWWWgK.",
    ".KsWWWWbbbbWWWWgK.",
    ".KsWWWWWbbWWWWWgK.",
    ".KsWWWWWWWWWWWWgK.",
    ".KseeeeeeeeeeeegK.",
    ".KggggggggggggggK.",
    ".KggggggggggggggK.",
    "..KKKKKKKKKKKKKK..",
    "..................",
};

// Undo: an arrow turning back to the left.
inline constexpr const char* kUndoArrow[] = {
    "..................",
    ".......K..........",
    ".....KKBK.........",
    "....KBBBK.........",
    "..KKBBBBKKK.......",
    ".KBBBBBBBBBKK.....",
    "KBBBBBBBBBBBBK....",
    ".KKBBBBBBBBBBBK...",
    "...KBBBBKKKKBBBK..",
    "....KBBBK...KBBK..",
    ".....KKBK...KBBK..",
    ".......K....KBBK..",
    "...KKKKKKKKKBBBK..",
    "..KBBBBBBBBBBBK...",
    "..KBBBBBBBBBBK....",
    "..KBBBBBBBBKK.....",
    "...KKKKKKKK.......",
    "..................",
};

// Redo: the same arrow turning to the right.
inline constexpr const char* kRedoArrow[] = {
    "..................",
    "..........K.......",
    ".........KBKK.....",
    ".........KBBBK....",
    ".......KKKBBBBKK..",
    ".....KKBBBBBBBBBK.",
    "....KBBBBBBBBBBBBK",
    "...KBBBBBBBBBBBKK.",
    "..KBBBKKKKBBBBK...",
    "..KBBK...KBBBK....",
    "..KBBK...KBKK.....",
    "..KBBK....K.......",
    "..KBBBKKKKKKKKK...",
    "...KBBBBBBBBBBBK..",
    "....KBBBBBBBBBBK..",
    ".....KKBBBBBBBBK..",
    ".......KKKKKKKK...",
    "..................",
};

// ---- Dialog glyphs, 16 x 16 ----

inline constexpr const char* kBackGlyph[] = {
    "................",
    "................",
    "......KK........",
    ".....KnK........",
    "....KnGK........",
    "...KnGGKKKKKKK..",
    "..KnGGGGGGGGGK..",
    ".KnGGGGGGGGGGK..",
    "..KnGGGGGGGGGK..",
    "...KnGGKKKKKKK..",
    "....KnGK........",
    ".....KnK........",
    "......KK........",
    "................",
    "................",
    "................",
};

inline constexpr const char* kNextGlyph[] = {
    "................",
    "................",
    "........KK......",
    "........KnK.....",
    "........KGnK....",
    "..KKKKKKKGGnK...",
    "..KGGGGGGGGGnK..",
    "..KGGGGGGGGGGnK.",
    "..KGGGGGGGGGnK..",
    "..KKKKKKKGGnK...",
    "........KGnK....",
    "........KnK.....",
    "........KK......",
    "................",
    "................",
    "................",
};

inline constexpr const char* kCancelGlyph[] = {
    "................",
    "................",
    "..RR.......RR...",
    "..RRR.....RRR...",
    "...RRR...RRR....",
    "....RRR.RRR.....",
    ".....RRRRR......",
    "......RRR.......",
    ".....RRRRR......",
    "....RRR.RRR.....",
    "...RRR...RRR....",
    "..RRR.....RRR...",
    "..RR.......RR...",
    "................",
    "................",
    "................",
};

inline constexpr const char* kOkGlyph[] = {
    "................",
    "................",
    "............GG..",
    "...........GGG..",
    "..........GGG...",
    ".........GGG....",
    "..G.....GGG.....",
    "..GG...GGG......",
    "..GGG.GGG.......",
    "...GGGGG........",
    "....GGG.........",
    ".....G..........",
    "................",
    "................",
    "................",
    "................",
};

inline constexpr const char* kClock[] = {
    ".....KKKKKK.....",
    "...KKWWWWWWKK...",
    "..KWWWWKWWWWWK..",
    ".KWWWWWKWWWWWWK.",
    ".KWWWWWKWWWWWWK.",
    "KWWWWWWKWWWWWWWK",
    "KWWWWWWKWWWWWWWK",
    "KKWWWWWKKKKKWWKK",
    "KWWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWWWK",
    ".KWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWK.",
    "..KWWWWWKWWWWK..",
    "...KKWWWWWWKK...",
    ".....KKKKKK.....",
};

// ---- The pointer while an item is dragged with Ctrl held: an arrow with a plus, 32 x 32 ----
// The hot spot is the arrow's tip, the top-left pixel.
inline constexpr const char* kCopyCursor[] = {
    "K...............................",
    "KK..............................",
    "KWK.............................",
    "KWWK............................",
    "KWWWK...........................",
    "KWWWWK..........................",
    "KWWWWWK.........................",
    "KWWWWWWK........................",
    "KWWWWWWWK.......................",
    "KWWWWWWWWK......................",
    "KWWWWWWWWWK.....................",
    "KWWWWWWKKKKK....................",
    "KWWWKWWK........................",
    "KWWKKWWK........................",
    "KWK.KWWK........................",
    "KK...KWWK.......................",
    "K....KWWK.......................",
    "......KWWK......................",
    "......KWWK.KKKKKKKKKKK..........",
    ".......KK..KWWWWWWWWWK..........",
    "...........KWWWWKWWWWK..........",
    "...........KWWWWKWWWWK..........",
    "...........KWWKKKKKWWK..........",
    "...........KWWWWKWWWWK..........",
    "...........KWWWWKWWWWK..........",
    "...........KWWWWWWWWWK..........",
    "...........KKKKKKKKKKK..........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

// ---- The program's icon: a clipboard with a pen ----

inline constexpr const char* kAppIcon32[] = {
    "..........KKKKKKKKKK............",
    "..........KWssssssgK............",
    "..........KWsKKKKsgK............",
    "...KKKKKKKKWsKKKKsgKKKKKKKK.....",
    "...KuuuuuuKWssssssgKuuuuuuK.....",
    "...KudddddKWssssssgKddddduK.....",
    "...KuuKKKKKWgggggggKKKKKuuK.....",
    "...KuuKWWWKWssssssgKWWsKuuK.....",
    "...KuuKWWWKKKKKKKKKKWWsKuuK..K..",
    "...KuuKWWWWWWWWWWWWWWWsKuuK.KlK.",
    "...KuuKWWWWWWWWWWWWWWWsKuuKKlBBK",
    "...KuuKWWWWWWWWWWWWWWWsKuuKlBBbK",
    "...KuuKWWgggggggggggWWsKuKlBBbK.",
    "...KuuKWWWWWWWWWWWWWWWsKKlBBbK..",
    "...KuuKWWWWWWWWWWWWWWWsKlBBbK...",
    "...KuuKWWgggggggggggWWKlBBbK....",
    "...KuuKWWWWWWWWWWWWWWKlBBbK.....",
    "...KuuKWWWWWWWWWWWWWKlBBbKK.....",
    "...KuuKWWggggggggggKlBBbKuK.....",
    "...KuuKWWWWWWWWWWWKlBBbKuuK.....",
    "...KuuKWWWWWWWWWWKlBBbKKuuK.....",
    "...KuuKWWgggggggKlBBbKsKuuK.....",
    "...KuuKWWWWWWWWKlBBbKWsKuuK.....",
    "...KuuKWWWWWWWKlBBbKWWsKuuK.....",
    "...KuuKWWggggKwwBbKgWWsKuuK.....",
    "...KuuKWWWWWWKwhhKWWWWsKuuK.....",
    "...KuuKWWWWWKKKhKWWWWWsKuuK.....",
    "...KuuKWWWWWKKKKWWWWWWsKuuK.....",
    "...KuuKssssssKsssssssssKuuK.....",
    "...KuuKKKKKKKKKKKKKKKKKKuuK.....",
    "...KuuuuuuuuuuuuuuuuuuuuuuK.....",
    "...KKKKKKKKKKKKKKKKKKKKKKKK.....",
};

inline constexpr const char* kAppIcon16[] = {
    "....KKKKKK......",
    ".KKKKssssKKKK...",
    ".KuuKKKKKKuuK..K",
    ".KuKKKKKKKKuK.Kl",
    ".KuKWWWWWsKuKKlB",
    ".KuKWWWWWsKuKlBK",
    ".KuKWggggsKKlBK.",
    ".KuKWWWWWsKlBK..",
    ".KuKWggggKlBK...",
    ".KuKWWWWKlBKK...",
    ".KuKWggKlBKuK...",
    ".KuKWWKwBKKuK...",
    ".KuKsKwhKsKuK...",
    ".KuKKKhKKKKuK...",
    ".KuuuuKuuuuuK...",
    ".KKKKKKKKKKKK...",
};

}  // namespace cv2::maps
// clang-format on

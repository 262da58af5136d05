#pragma once
// Fitting the text of a send to what an entry form accepts: width and kana conversion and
// the removal of hyphens. It applies to what is sent, never to the tree.
//
// The conversion reads each character of the code page 932 text as its Unicode code
// point, converts code points with the program's own tables and writes the result back in
// code page 932. Characters it does not change keep their bytes exactly, and a character
// whose result has no code page 932 form stays as it was, so a text never loses anything
// it did not mean to change.
#include <string>
#include <string_view>

namespace cv2 {

// The modes of "送信時の変換"; the numbers are stored in the settings file.
enum ConvertMode : int {
    kConvertAsIs = 0,            // そのまま
    kConvertHalfWidthAscii = 1,  // 英数字を半角: full-width ASCII and the ideographic space to half-width
    kConvertFullWidth = 2,       // 全角: ASCII and half-width katakana to full-width
    kConvertKatakana = 3,        // カタカナ: hiragana and half-width katakana to full-width katakana
    kConvertHiragana = 4,        // ひらがな: katakana (half-width too) to hiragana
    kConvertHalfWidthKana = 5,   // 半角カナ: kana to half-width katakana, full-width ASCII to half-width
};
inline constexpr int kConvertModeCount = 6;

struct SendConversion {
    int mode = kConvertAsIs;  // a ConvertMode; anything else converts nothing
    bool noHyphen = false;    // ハイフンを除く, applied after the mode
    bool typing = false;      // キー入力で送る: type the text instead of pasting it
};

// The text converted by the mode, then stripped of hyphens when asked: "-", "－", "‐" and
// "―" always, "ー" and "ｰ" only between two digits (half- or full-width).
std::string ConvertForSending(std::string_view text, int mode, bool noHyphen);

}  // namespace cv2

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/fakes/FakeFileSystem.h"
#include "settings/Ini.h"

namespace cv2 {
namespace {

std::string Written(std::initializer_list<std::array<const char*, 3>> writes, std::string_view start = "") {
    IniFile ini = IniFile::Parse(start);
    for (const auto& w : writes) ini.WriteString(w[0], w[1], w[2]);
    return ini.Bytes();
}

TEST(IniFile, EmptyFileGivesDefaults) {
    IniFile none;
    EXPECT_EQ(none.ReadString("Window", "Expand", "No"), "No");
    EXPECT_EQ(none.ReadInteger("Window", "Height", 300), 300);
    EXPECT_TRUE(none.ReadBool("ToolBtn", "PasteBtn", true));
    EXPECT_FALSE(none.ReadBool("ToolBtn", "ResizeBtn", false));
    EXPECT_EQ(none.Bytes(), "");
}

TEST(IniFile, WritesInTheOrderOfFirstWrite) {
    EXPECT_EQ(Written({{"Window", "Width", "120"},
                       {"Window", "Height", "300"},
                       {"ToolBtn", "PasteBtn", "1"},
                       {"window", "WIDTH", "130"},
                       {"Window", "Expand", "No"},
                       {"Image", "index0", "3"}}),
              "[Window]\r\nWidth=130\r\nHeight=300\r\nExpand=No\r\n[ToolBtn]\r\nPasteBtn=1\r\n[Image]\r\nindex0=3\r\n");
}

TEST(IniFile, NamesMatchWithoutCaseOfAsciiLettersOnly) {
    IniFile ini = IniFile::Parse("[Window]\r\nTop=5\r\n[項目]\r\nＡ=1\r\n");
    EXPECT_EQ(ini.ReadInteger("WINDOW", "tOP", 0), 5);
    EXPECT_EQ(ini.ReadInteger(" Window ", " Top\t", 0), 5);
    EXPECT_EQ(ini.ReadInteger("項目", "Ａ", 0), 1);
    EXPECT_EQ(ini.ReadInteger("項目", "ａ", 0), 0);  // full-width letters are not folded
}

TEST(IniFile, ReadsOddLines) {
    IniFile ini = IniFile::Parse(
        "top=1\n"  // before any section
        "  [ Window ]  trailing\n"
        "; comment=x\n"
        "Top  =   -12   \r\n"
        "Left\r\n"
        "Width=7\r\r\n\n"
        "Top=99\n"
        "Height=\"300\"\n"
        "Expand='0,4'\n"
        "Quote=\"\n"
        "Mixed=\"abc'\n"
        "[window]\n"
        "Left=4\n"
        "Extra=1");                                       // no final line end
    EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), -12);  // first key wins
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 8), 8);   // no "=": the default
    EXPECT_TRUE(ini.HasKey("Window", "Left"));
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 7);
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 300);  // quotes removed
    EXPECT_EQ(ini.ReadString("Window", "Expand", ""), "0,4");
    EXPECT_EQ(ini.ReadString("Window", "Quote", ""), "\"");  // a lone quote stays
    EXPECT_EQ(ini.ReadString("Window", "Mixed", ""), "\"abc'");
    EXPECT_EQ(ini.ReadString("Window", "; comment", ""), "x");  // comments are keys to the platform
    EXPECT_EQ(ini.ReadInteger("Window", "Extra", 0), 0);        // only the first [Window] is seen
    EXPECT_EQ(ini.ReadInteger("", "top", 0), 1);                // keys before the first section
}

TEST(IniFile, ShiftJisNamesAndValues) {
    // "ソ" and "表" end in the bytes of "\" and "]" ... second bytes are never separators.
    IniFile ini = IniFile::Parse("[表]\r\nソ=表]\r\n[ソ]\r\nキー=値\r\n");
    EXPECT_EQ(ini.ReadString("表", "ソ", ""), "表]");
    EXPECT_EQ(ini.ReadString("ソ", "キー", ""), "値");
    ini.WriteString("表", "新規", "項目");
    EXPECT_EQ(ini.Bytes(), "[表]\r\nソ=表]\r\n新規=項目\r\n[ソ]\r\nキー=値\r\n");
}

TEST(IniFile, IntegersFollowStrToIntDef) {
    IniFile ini = IniFile::Parse(
        "[N]\na=  42\nb=+7\nc=-2147483648\nd=2147483648\ne=$1F\nf=0x1f\ng=0XFF\nh=12abc\ni=\nj=-\n"
        "k=$FFFFFFFF\nl=$100000000\nm=\" 15\"\nn=1.5\no=-$10\np=-0x10\nq=2147483647\nr=-2147483649\ns=$\nt=\t5\n");
    EXPECT_EQ(ini.ReadInteger("N", "a", -1), 42);
    EXPECT_EQ(ini.ReadInteger("N", "b", -1), 7);
    EXPECT_EQ(ini.ReadInteger("N", "c", -1), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("N", "d", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "e", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "f", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "g", -1), 255);
    EXPECT_EQ(ini.ReadInteger("N", "h", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "i", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "j", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "k", 5), -1);
    EXPECT_EQ(ini.ReadInteger("N", "l", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "m", -1), 15);  // spaces inside quotes are skipped by the conversion
    EXPECT_EQ(ini.ReadInteger("N", "n", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "o", 0), -16);
    EXPECT_EQ(ini.ReadInteger("N", "p", 0), -16);
    EXPECT_EQ(ini.ReadInteger("N", "q", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "r", 3), 3);
    EXPECT_EQ(ini.ReadInteger("N", "s", 3), 3);
    EXPECT_EQ(ini.ReadInteger("N", "t", 3), 5);  // the tab went with the blanks after "="
    EXPECT_TRUE(ini.ReadBool("N", "a", false));
    EXPECT_FALSE(ini.ReadBool("N", "missing", false));
    EXPECT_TRUE(ini.ReadBool("N", "h", true));
}

TEST(IniFile, IntegersAndBooleansAreWrittenPlainly) {
    IniFile ini;
    ini.WriteInteger("Paste", "WaitTime", -250);
    ini.WriteInteger("Paste", "Max", 2147483647);
    ini.WriteInteger("Paste", "Min", -2147483647 - 1);
    ini.WriteBool("ToolBtn", "PasteBtn", true);
    ini.WriteBool("ToolBtn", "ResizeBtn", false);
    EXPECT_EQ(
        ini.Bytes(),
        "[Paste]\r\nWaitTime=-250\r\nMax=2147483647\r\nMin=-2147483648\r\n[ToolBtn]\r\nPasteBtn=1\r\nResizeBtn=0\r\n");
    EXPECT_EQ(ini.ReadInteger("Paste", "Min", 0), -2147483647 - 1);
}

TEST(IniFile, ReadsAreCutAt2047Bytes) {
    std::string digits;
    for (int i = 0; digits.size() < 3000; ++i) digits += std::to_string(i) + ",";
    IniFile ini;
    ini.WriteString("Window", "Expand", digits);
    EXPECT_EQ(ini.ReadString("Window", "Expand", "No"), digits.substr(0, 2047));

    // A double-byte character that does not fit whole is left out.
    std::string kana = "a";
    for (int i = 0; i < 1500; ++i) kana += "ア";
    ini.WriteString("Window", "Kana", kana);
    EXPECT_EQ(ini.ReadString("Window", "Kana", "").size(), 2047u);
    ini.WriteString("Window", "Kana", kana.substr(1));
    EXPECT_EQ(ini.ReadString("Window", "Kana", "").size(), 2046u);

    // Quotes: the copy starts after the opening quote and keeps 2047 characters, of which it
    // drops the last when the text after the opening quote had at most 2048.
    std::string x2046(2046, 'x');
    ini.WriteString("Q", "a", "\"" + x2046 + "\"");
    EXPECT_EQ(ini.ReadString("Q", "a", ""), x2046);
    ini.WriteString("Q", "b", "\"" + x2046 + "y\"");
    EXPECT_EQ(ini.ReadString("Q", "b", ""), x2046);
    ini.WriteString("Q", "c", "\"" + x2046 + "yz\"");
    EXPECT_EQ(ini.ReadString("Q", "c", ""), x2046 + "y");
}

TEST(IniFile, DefaultsLoseTrailingSpacesAndQuotes) {
    IniFile ini;
    EXPECT_EQ(ini.ReadString("A", "b", "No  "), "No");
    EXPECT_EQ(ini.ReadString("A", "b", "  "), " ");
    EXPECT_EQ(ini.ReadString("A", "b", "\"q\""), "q");
    EXPECT_EQ(ini.ReadString("A", "b", ""), "");
}

TEST(IniFile, WriteKeepsPlaceAndNormalisesTheFile) {
    std::string start = "; settings\r\n\r\n[Window]\r\n  Top = 5 \r\nLeft\r\n\r\n[Paste]\r\nWaitTime=0\r\n";
    EXPECT_EQ(Written({{"Window", "top", "7"}}, start),
              "; settings\r\n[Window]\r\nTop=7\r\nLeft\r\n[Paste]\r\nWaitTime=0\r\n");
    EXPECT_EQ(Written({{"Window", "Left", "3"}, {"Window", "Width", "9"}}, start),
              "; settings\r\n[Window]\r\nTop=5\r\nLeft=3\r\nWidth=9\r\n[Paste]\r\nWaitTime=0\r\n");
    EXPECT_EQ(Written({{"Menu", "TabEnter", "2"}}, start),
              "; settings\r\n[Window]\r\nTop=5\r\nLeft\r\n[Paste]\r\nWaitTime=0\r\n[Menu]\r\nTabEnter=2\r\n");
    // Rewriting the value already there leaves the bytes alone.
    EXPECT_EQ(Written({{"Window", "Top", "5"}, {"Paste", "WaitTime", " 0"}}, start), start);
}

TEST(IniFile, OddWritesReadBackAsTheFileSays) {
    IniFile ini;
    ini.WriteString("S", "k", "  v  ");
    EXPECT_EQ(ini.Bytes(), "[S]\r\nk=v  \r\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    ini.WriteString("S", "two", "a\r\nb=c");
    EXPECT_EQ(ini.Bytes(), "[S]\r\nk=v\r\ntwo=a\r\nb=c\r\n");  // the whole file is written again
    EXPECT_EQ(ini.ReadString("S", "b", ""), "c");
    ini.WriteString("S", "x=y", "z");
    EXPECT_EQ(ini.ReadString("S", "x", ""), "y=z");
    ini.WriteString("S", "[T]", "1");
    EXPECT_EQ(ini.ReadString("T", "", "d"), "d");
    EXPECT_EQ(ini.Bytes(), "[S]\r\nk=v\r\ntwo=a\r\nb=c\r\nx=y=z\r\n[T]=1\r\n");
    ini.WriteString("T", "k", "1");
    EXPECT_EQ(ini.Bytes(), "[S]\r\nk=v\r\ntwo=a\r\nb=c\r\nx=y=z\r\n[T]\r\nk=1\r\n");
    ini.WriteString("S", "[k", "v]");  // the written line opens section "k=v"
    EXPECT_EQ(ini.ReadString("S", "[k", "d"), "d");
    ini.WriteString("k=v", "a", "1");
    EXPECT_EQ(ini.Bytes(), "[S]\r\nk=v\r\ntwo=a\r\nb=c\r\nx=y=z\r\n[k=v]\r\na=1\r\n[T]\r\nk=1\r\n");
    ini.WriteString("S", "nul", std::string_view("ab\0cd", 5));
    EXPECT_EQ(ini.ReadString("S", "nul", ""), "ab");
}

TEST(IniFile, NamelessSectionsJoinTheSectionBefore) {
    IniFile ini = IniFile::Parse("[A]\r\na=1\r\n[]\r\nb=2\r\n");
    EXPECT_EQ(ini.ReadString("A", "b", "-"), "-");
    ini.WriteString("A", "c", "3");
    EXPECT_EQ(ini.Bytes(), "[A]\r\na=1\r\nc=3\r\nb=2\r\n");
    EXPECT_EQ(ini.ReadString("A", "b", "-"), "2");
}

TEST(IniFile, Utf8MarkAndNulBytes) {
    IniFile bom = IniFile::Parse("\xEF\xBB\xBF[Window]\r\nTop=5\r\n");
    EXPECT_EQ(bom.ReadInteger("Window", "Top", 0), 5);
    bom.WriteInteger("Window", "Left", 2);
    EXPECT_EQ(bom.Bytes(), "\xEF\xBB\xBF[Window]\r\nTop=5\r\nLeft=2\r\n");

    // Names and values end at a NUL byte; the rest of the line is lost when the file is written.
    IniFile nul = IniFile::Parse(std::string("[A\0x]\r\nk\0z=1\r\nv=a \0b\r\n", 22));
    EXPECT_EQ(nul.ReadString("A", "k", ""), "1");
    EXPECT_EQ(nul.ReadString("A", "v", ""), "a ");
    nul.WriteString("A", "w", "2");
    EXPECT_EQ(nul.Bytes(), "[A]\r\nk=1\r\nv=a \r\nw=2\r\n");
    EXPECT_EQ(nul.ReadString("A", "v", ""), "a");  // as the written file reads
}

TEST(IniFile, SectionNameEndingInAFirstByte) {
    // Written back as "[\x83]", the "]" becomes the character's second byte: no section any more.
    IniFile ini = IniFile::Parse("[A]\r\n[\x83 ]\r\nk=1\r\n");
    EXPECT_EQ(ini.ReadString("\x83", "k", "d"), "1");
    ini.WriteString("A", "j", "2");
    EXPECT_EQ(ini.Bytes(), "[A]\r\nj=2\r\n[\x83]\r\nk=1\r\n");
    EXPECT_EQ(ini.ReadString("\x83", "k", "d"), "d");
    EXPECT_EQ(ini.ReadString("A", "k", "d"), "1");
}

TEST(IniFile, ManyKeysRoundTripAndAreFoundWhateverTheirCase) {
    IniFile ini;
    for (int i = 0; i < 20000; ++i) ini.WriteInteger("Image", "index" + std::to_string(i), i % 12);
    IniFile back = IniFile::Parse(ini.Bytes());
    long long sum = 0;
    for (int i = 0; i < 20000; ++i) sum += back.ReadInteger("Image", "INDEX" + std::to_string(i), -1000);
    long long expected = 0;
    for (int i = 0; i < 20000; ++i) expected += i % 12;
    EXPECT_EQ(sum, expected);
}

TEST(IniFile, LoadAndSaveThroughTheFileSystem) {
    fakes::FakeFileSystem files;
    EXPECT_EQ(IniFile::Load(files, L"C:\\a.ini").ReadInteger("W", "k", 4), 4);
    files.files[L"C:\\a.ini"] = "[W]\r\nk=1\r\n";
    EXPECT_FALSE(IniFile::Load(files, L"C:\\a.ini").Unreadable()) << "absent is not unreadable";
    files.unreadable.insert(L"C:\\a.ini");
    IniFile held = IniFile::Load(files, L"C:\\a.ini");
    EXPECT_EQ(held.ReadInteger("W", "k", 4), 4);
    EXPECT_TRUE(held.Unreadable());
    files.unreadable.clear();
    held.WriteInteger("W", "j", 1);
    EXPECT_FALSE(held.Save(files, L"C:\\a.ini")) << "an unreadable file is never replaced";
    EXPECT_EQ(files.files[L"C:\\a.ini"], "[W]\r\nk=1\r\n");
    IniFile ini = IniFile::Load(files, L"C:\\a.ini");
    EXPECT_EQ(ini.ReadInteger("W", "k", 4), 1);
    ini.WriteInteger("W", "k", 2);
    EXPECT_TRUE(ini.Save(files, L"C:\\a.ini"));
    EXPECT_EQ(files.files[L"C:\\a.ini"], "[W]\r\nk=2\r\n");
    files.unwritable.insert(L"C:\\a.ini");
    EXPECT_FALSE(ini.Save(files, L"C:\\a.ini"));
}

}  // namespace
}  // namespace cv2

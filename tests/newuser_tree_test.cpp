#include <gtest/gtest.h>

#include "NewFrm/Era.h"
#include "NewFrm/NewInputFrm.h"
#include "NewFrm/NewUserTree.h"
#include "platform/fakes/FakeLocale.h"

namespace cv2 {
namespace {

// One line per item: tabs for the level, the text, then "|image/selected".
std::string Dump(const ItemTree& tree) {
    std::string out;
    for (Item* item = tree.First(); item; item = item->Next())
        out += std::string(item->Level(), '\t') + item->Text() + "|" + std::to_string(item->ImageIndex()) + "/" +
               std::to_string(item->SelectedIndex()) + "\n";
    return out;
}

class BuildTest : public ::testing::Test {
protected:
    BuildTest() {
        locale.eraName = BuiltInEraName;
        locale.eraYear = BuiltInEraYear;
        in.Birthday = {1996, 5, 3};
    }
    // The tree without the two birthday groups, which every build has.
    std::string Build() {
        BuildNewUserTree(tree, in, locale);
        std::string all = Dump(tree);
        std::size_t at = all.find(kBirthdayGroups);
        if (at != std::string::npos) all.erase(at, kBirthdayGroups.size());
        return all;
    }
    static inline const std::string kBirthdayGroups =
        "1996/05/03|0/12\n\t1996|0/12\n\t05|0/12\n\t03|0/12\n\t96/05/03|0/12\n\t96|0/12\n"
        "平成08年05月03日|0/12\n\t平成08年|0/12\n\t05月|0/12\n\t03日|0/12\n";
    fakes::FakeLocale locale;
    WizardInput in;
    ItemTree tree;
};

TEST_F(BuildTest, EmptyWizardGivesOnlyTheBirthdayGroups) {
    BuildNewUserTree(tree, in, locale);
    EXPECT_EQ(Dump(tree), kBirthdayGroups);
}

TEST_F(BuildTest, BuildReplacesTheOldTree) {
    tree.AppendChild(tree.AppendChild(nullptr, "old"), "child");
    in.Syokugyou = "会社員";
    EXPECT_EQ(Build(), "会社員|2/14\n");
    EXPECT_EQ(tree.Count(), 11);
}

TEST_F(BuildTest, PostalCodeNeedsBothHalves) {
    in.Yubin01 = "123";
    EXPECT_EQ(Build(), "");
    in.Yubin02 = "4567";
    EXPECT_EQ(Build(), "123-4567|5/17\n\t123|5/17\n\t4567|5/17\n");
}

TEST_F(BuildTest, AddressPieces) {
    in.Todoufuken = "東京都";
    in.Sikuchoson = "千代田区";
    in.Jyuusyo01 = "一番町1";
    in.Jyuusyo02 = "ビル2階";
    EXPECT_EQ(Build(),
              "東京都千代田区一番町1ビル2階|6/18\n\t千代田区一番町1ビル2階|6/18\n\t一番町1ビル2階|6/18\n"
              "\t東京都|6/18\n\t千代田区|6/18\n\t一番町1|6/18\n\tビル2階|6/18\n");
    in = WizardInput{};
    in.Birthday = {1996, 5, 3};
    in.Jyuusyo01 = "一番町";  // duplicates stay: (a), (b) and (e)
    EXPECT_EQ(Build(), "一番町|6/18\n\t一番町|6/18\n\t一番町|6/18\n\t一番町|6/18\n");
    in.Jyuusyo01.clear();
    in.Todoufuken = "大阪府";  // no (a) or (b) without the later pieces
    EXPECT_EQ(Build(), "大阪府|6/18\n\t大阪府|6/18\n");
}

TEST_F(BuildTest, NamesKeepTheSpaceAndRomajiTurnsAround) {
    in.Kanji01 = "山田";
    in.Hiragana01 = "やまだ";
    in.Hiragana02 = "たろう";
    in.Katakana02 = "タロウ";
    in.Romaji01 = "A";
    in.Romaji02 = "B";
    EXPECT_EQ(Build(),
              "山田 |7/19\n\t山田|7/19\n"
              "やまだ たろう|7/19\n\tやまだ|7/19\n\tたろう|7/19\n"
              "タロウ|7/19\n\tタロウ|7/19\n"  // the head's leading space is dropped
              "B A|7/19\n\tB|7/19\n\tA|7/19\n");
}

TEST_F(BuildTest, LeadingBlanksAreDroppedButConditionsSeeThem) {
    in.Kanji02 = " \t太郎";
    in.Syokugyou = "  ";  // spaces are content: the group is made, with an empty text
    in.Url = "http:// x";
    EXPECT_EQ(Build(), "太郎|7/19\n\t太郎|7/19\n|2/14\nhttp:// x|0/12\n\tx|0/12\n");
    // Only ASCII blanks: a full-width space stays.
    EXPECT_EQ(TrimLeadingBlanks("　山"), "　山");
    EXPECT_EQ(TrimLeadingBlanks("\t \tA B "), "A B ");
}

TEST_F(BuildTest, AgeOccupationPhoneAndFax) {
    in.Old = "25";
    in.Syokugyou = "学生";
    in.Tel02 = "1234";
    in.Fax01 = "03";
    in.Fax02 = "1111";
    in.Fax03 = "2222";
    EXPECT_EQ(Build(),
              "25|1/13\n\t25歳|1/13\n\t25才|1/13\n学生|2/14\n-1234-|9/21\n\t1234|9/21\n"
              "03-1111-2222|10/22\n\t03|10/22\n\t1111|10/22\n\t2222|10/22\n");
}

TEST_F(BuildTest, MailSplitsAtTheFirstSingleByteAt) {
    auto mail = [&](const std::string& text) {
        in.Mail = text;
        return Build();
    };
    EXPECT_EQ(mail("abc"), "abc|0/12\n");
    EXPECT_EQ(mail("a@b"), "a@b|11/23\n\ta|11/23\n\tb|11/23\n");
    EXPECT_EQ(mail("@b"), "@b|11/23\n\tb|11/23\n");
    EXPECT_EQ(mail("@"), "@|11/23\n");
    EXPECT_EQ(mail("a@"), "a@|11/23\n\ta|11/23\n");
    EXPECT_EQ(mail("a@b@c"), "a@b@c|11/23\n\ta|11/23\n\tb@c|11/23\n");
    // "　" (81 40) and "ァ" (83 40) end in the byte of "@".
    EXPECT_EQ(mail("x　y"), "x　y|0/12\n");
    EXPECT_EQ(mail("ァ@ァ"), "ァ@ァ|11/23\n\tァ|11/23\n\tァ|11/23\n");
    EXPECT_EQ(mail("　ァ"), "　ァ|0/12\n");
}

TEST(SplitItems, NullItemsAreIgnored) {
    ItemTree tree;
    SplitMailItem(tree, nullptr);
    SplitUrlItem(tree, nullptr);
    EXPECT_TRUE(tree.Empty());
}

TEST_F(BuildTest, WebAddressOnlyPlainHttp) {
    auto url = [&](const std::string& text) {
        in.Url = text;
        return Build();
    };
    EXPECT_EQ(url("http://ab/"), "http://ab/|0/12\n\tab/|0/12\n");
    EXPECT_EQ(url("HTTP://AB/"), "HTTP://AB/|0/12\n\tAB/|0/12\n");
    EXPECT_EQ(url("https://x"), "https://x|0/12\n");
    EXPECT_EQ(url("http://"), "http://|0/12\n");
    EXPECT_EQ(url("http:/"), "http:/|0/12\n");
    EXPECT_EQ(url("ｈttp://x"), "ｈttp://x|0/12\n");
}

TEST_F(BuildTest, ExtraItemsSplitAsMailAndAsUrl) {
    in.Tuika01 = "http://a@b";
    in.Tuika03 = "メモ";
    in.Tuika05 = "x@y";
    EXPECT_EQ(Build(),
              "http://a@b|11/23\n\thttp://a|11/23\n\tb|11/23\n\ta@b|0/12\n"
              "メモ|0/12\n"
              "x@y|11/23\n\tx|11/23\n\ty|11/23\n");
}

TEST_F(BuildTest, GroupsComeInTableOrder) {
    in.Tuika01 = "t";
    in.Url = "u";
    in.Mail = "m";
    in.Fax03 = "f";
    in.Tel03 = "t";
    in.Syokugyou = "s";
    in.Old = "1";
    in.Romaji01 = "r";
    in.Katakana01 = "k";
    in.Hiragana01 = "h";
    in.Kanji01 = "j";
    in.Jyuusyo02 = "a";
    in.Yubin01 = "1";
    in.Yubin02 = "2";
    BuildNewUserTree(tree, in, locale);
    std::string heads;
    for (Item* item = tree.First(); item; item = item->NextSibling()) heads += item->Text() + ",";
    EXPECT_EQ(heads, "1-2,a,j ,h ,k ,r,1996/05/03,平成08年05月03日,1,s,--t,--f,m,u,t,");
    for (Item* item = tree.First(); item; item = item->Next()) {
        EXPECT_EQ(item->SelectedIndex(), item->ImageIndex() + 12) << item->Text();
        EXPECT_FALSE(item->Expanded());
    }
}

TEST(DatePicture, PiecesAndQuotedRuns) {
    fakes::FakeLocale locale;
    Date d{2005, 1, 9};
    EXPECT_EQ(FormatDatePicture(R"(yyyy"/"mm"/"dd)", d, locale), "2005/01/09");
    EXPECT_EQ(FormatDatePicture("yy", d, locale), "05");
    EXPECT_EQ(FormatDatePicture("m/d", d, locale), "1/9");
    EXPECT_EQ(FormatDatePicture(R"("yyyy"-yyyy)", Date{987, 12, 31}, locale), "yyyy-0987");
    EXPECT_EQ(FormatDatePicture(R"(yy"年")", Date{2000, 2, 29}, locale), "00年");
    // Without era texts from the system the era pieces come from the table.
    EXPECT_EQ(FormatDatePicture(R"(gggee"年"mm"月"dd"日")", d, locale), "平成17年01月09日");
    // Before the first era of the table there is no era at all.
    EXPECT_EQ(FormatDatePicture(R"(gggee"年")", Date{1800, 1, 1}, locale), "年");
}

TEST(DatePicture, EraBoundaries) {
    fakes::FakeLocale locale;
    locale.eraName = BuiltInEraName;
    locale.eraYear = BuiltInEraYear;
    auto era = [&](Date d) { return FormatDatePicture(R"(gggee"年"mm"月"dd"日")", d, locale); };
    EXPECT_EQ(era({1989, 1, 7}), "昭和64年01月07日");
    EXPECT_EQ(era({1989, 1, 8}), "平成01年01月08日");
    EXPECT_EQ(era({2019, 4, 30}), "平成31年04月30日");
    EXPECT_EQ(era({2019, 5, 1}), "令和01年05月01日");
    EXPECT_EQ(era({1926, 12, 24}), "大正15年12月24日");
    EXPECT_EQ(era({1926, 12, 25}), "昭和01年12月25日");
    EXPECT_EQ(era({1912, 7, 29}), "明治45年07月29日");
    EXPECT_EQ(era({1912, 7, 30}), "大正01年07月30日");
    EXPECT_EQ(era({1868, 1, 1}), "明治01年01月01日");

    // A system that knows the era is asked first.
    fakes::FakeLocale plain;
    plain.eraName = [](const Date&) { return std::string("R"); };
    plain.eraYear = [](const Date&) { return std::string("07"); };
    EXPECT_EQ(FormatDatePicture("ggge", {2025, 1, 1}, plain), "R7");
    EXPECT_EQ(era({1867, 12, 31}), "年12月31日");
    EXPECT_EQ(era({2024, 5, 10}), "令和06年05月10日");
    EXPECT_EQ(FormatDatePicture(R"(ggge"年")", Date{1989, 1, 8}, locale), "平成1年");
}

TEST(CalcAge, BirthdaysAndLeapDays) {
    Date today{2024, 5, 10};
    EXPECT_EQ(CalcAge({1990, 5, 10}, today), 34);
    EXPECT_EQ(CalcAge({1990, 5, 11}, today), 33);
    EXPECT_EQ(CalcAge({1990, 4, 30}, today), 34);
    EXPECT_EQ(CalcAge({1990, 6, 1}, today), 33);
    EXPECT_EQ(CalcAge({2024, 5, 10}, today), 0);
    EXPECT_EQ(CalcAge({2000, 2, 29}, {2023, 2, 28}), 22);
    EXPECT_EQ(CalcAge({2000, 2, 29}, {2023, 3, 1}), 23);
    EXPECT_EQ(CalcAge({2000, 2, 29}, {2024, 2, 29}), 24);
    EXPECT_EQ(CalcAge({1900, 1, 1}, today), 124);
    EXPECT_EQ(CalcAge({2024, 5, 11}, today), -1);
}

TEST(WizardDialogLogic, AgeAfterLeavingTheBirthday) {
    Date today{2024, 5, 10};
    EXPECT_EQ(AgeAfterBirthdayExit("", today, today), "0");
    EXPECT_EQ(AgeAfterBirthdayExit("", {1990, 5, 11}, today), "33");
    EXPECT_EQ(AgeAfterBirthdayExit("40", {1990, 5, 11}, today), "40");
    EXPECT_EQ(AgeAfterBirthdayExit(" ", {1990, 5, 11}, today), " ");
    EXPECT_EQ(AgeAfterBirthdayExit("", {1901, 1, 1}, today), "123");  // more than two digits
    EXPECT_EQ(AgeAfterBirthdayExit("", {2024, 5, 11}, today), "");    // a birthday after today
    // An age the exit filled in follows a birthday changed later; one the user typed stays.
    EXPECT_EQ(AgeAfterBirthdayExit("34", {1990, 5, 11}, today, "34"), "33");
    EXPECT_EQ(AgeAfterBirthdayExit("34", {1990, 5, 11}, today, "3"), "34");
    EXPECT_EQ(AgeAfterBirthdayExit("34", {2024, 5, 11}, today, "34"), "") << "no age for a future birthday";
}

TEST(WizardDialogLogic, PagesAndButtons) {
    EXPECT_EQ(PageButtonsFor(0), (PageButtons{false, true, false}));
    EXPECT_EQ(PageButtonsFor(1), (PageButtons{true, true, false}));
    EXPECT_EQ(PageButtonsFor(2), (PageButtons{true, true, false}));
    EXPECT_EQ(PageButtonsFor(3), (PageButtons{true, false, true}));
    EXPECT_FALSE(PageButtonsFor(4));
    EXPECT_FALSE(PageButtonsFor(-1));
    int page = 0;
    for (int i = 0; i < 5; ++i) page = ReturnOrNextPage(page, true);
    EXPECT_EQ(page, 3);
    page = ReturnOrNextPage(page, false);
    EXPECT_EQ(page, 2);
    for (int i = 0; i < 5; ++i) page = ReturnOrNextPage(page, false);
    EXPECT_EQ(page, 0);
}

}  // namespace
}  // namespace cv2

#include <gtest/gtest.h>

#include "NewFrm/Era.h"
#include "NewFrm/NewInputFrm.h"
#include "NewFrm/NewUserTree.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/TreeShape.h"

namespace cv2 {
namespace {

using testing::Dump;

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
        std::size_t begin = all.find(kBirthdayGroups);
        if (begin == std::string::npos) return all;
        // With the "|" that joins them to the rest.
        std::size_t end = begin + kBirthdayGroups.size();
        if (begin > 0)
            --begin;
        else if (end < all.size())
            ++end;
        all.erase(begin, end - begin);
        return all;
    }
    static inline const std::string kBirthdayGroups =
        "1996/05/03|.1996|.05|.03|.96/05/03|.96"
        "|平成08年05月03日|.平成08年|.05月|.03日";
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
    EXPECT_EQ(Build(), "会社員:2");
    EXPECT_EQ(tree.Count(), 11);
}

TEST_F(BuildTest, PostalCodeNeedsBothHalves) {
    in.Yubin01 = "123";
    EXPECT_EQ(Build(), "");
    in.Yubin02 = "4567";
    EXPECT_EQ(Build(), "123-4567:5|.123:5|.4567:5");
}

TEST_F(BuildTest, AddressPieces) {
    in.Todoufuken = "東京都";
    in.Sikuchoson = "千代田区";
    in.Jyuusyo01 = "一番町1";
    in.Jyuusyo02 = "ビル2階";
    EXPECT_EQ(Build(),
              "東京都千代田区一番町1ビル2階:6|.千代田区一番町1ビル2階:6|.一番町1ビル2階:6"
              "|.東京都:6|.千代田区:6|.一番町1:6|.ビル2階:6");
    in = WizardInput{};
    in.Birthday = {1996, 5, 3};
    in.Jyuusyo01 = "一番町";  // duplicates stay: (a), (b) and (e)
    EXPECT_EQ(Build(), "一番町:6|.一番町:6|.一番町:6|.一番町:6");
    in.Jyuusyo01.clear();
    in.Todoufuken = "大阪府";  // no (a) or (b) without the later pieces
    EXPECT_EQ(Build(), "大阪府:6|.大阪府:6");
}

TEST_F(BuildTest, NamesKeepTheSpaceAndRomajiTurnsAround) {
    in.Kanji01 = "山田";
    in.Hiragana01 = "やまだ";
    in.Hiragana02 = "たろう";
    in.Katakana02 = "タロウ";
    in.Romaji01 = "A";
    in.Romaji02 = "B";
    EXPECT_EQ(Build(),
              "山田 :7|.山田:7"
              "|やまだ たろう:7|.やまだ:7|.たろう:7"
              "|タロウ:7|.タロウ:7"  // the head's leading space is dropped
              "|B A:7|.B:7|.A:7");
}

TEST_F(BuildTest, LeadingBlanksAreDroppedButConditionsSeeThem) {
    in.Kanji02 = " \t太郎";
    in.Syokugyou = "  ";  // spaces are content: the group is made, with an empty text
    in.Url = "http:// x";
    EXPECT_EQ(Build(), "太郎:7|.太郎:7|:2|http:// x|.x");
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
              "25:1|.25歳:1|.25才:1|学生:2|-1234-:9|.1234:9"
              "|03-1111-2222:10|.03:10|.1111:10|.2222:10");
}

TEST_F(BuildTest, MailSplitsAtTheFirstSingleByteAt) {
    auto mail = [&](const std::string& text) {
        in.Mail = text;
        return Build();
    };
    EXPECT_EQ(mail("abc"), "abc");
    EXPECT_EQ(mail("a@b"), "a@b:11|.a:11|.b:11");
    EXPECT_EQ(mail("@b"), "@b:11|.b:11");
    EXPECT_EQ(mail("@"), "@:11");
    EXPECT_EQ(mail("a@"), "a@:11|.a:11");
    EXPECT_EQ(mail("a@b@c"), "a@b@c:11|.a:11|.b@c:11");
    // "　" (81 40) and "ァ" (83 40) end in the byte of "@".
    EXPECT_EQ(mail("x　y"), "x　y");
    EXPECT_EQ(mail("ァ@ァ"), "ァ@ァ:11|.ァ:11|.ァ:11");
    EXPECT_EQ(mail("　ァ"), "　ァ");
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
    EXPECT_EQ(url("http://ab/"), "http://ab/|.ab/");
    EXPECT_EQ(url("HTTP://AB/"), "HTTP://AB/|.AB/");
    EXPECT_EQ(url("https://x"), "https://x");
    EXPECT_EQ(url("http://"), "http://");
    EXPECT_EQ(url("http:/"), "http:/");
    EXPECT_EQ(url("ｈttp://x"), "ｈttp://x");
}

TEST_F(BuildTest, ExtraItemsSplitAsMailAndAsUrl) {
    in.Tuika01 = "http://a@b";
    in.Tuika03 = "メモ";
    in.Tuika05 = "x@y";
    EXPECT_EQ(Build(),
              "http://a@b:11|.http://a:11|.b:11|.a@b"
              "|メモ"
              "|x@y:11|.x:11|.y:11");
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

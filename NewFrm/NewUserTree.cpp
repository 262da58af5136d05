#include "NewFrm/NewUserTree.h"

#include <cstdio>

#include "NewFrm/Era.h"
#include "base/Text.h"

namespace cv2 {
namespace {

constexpr int kIconPlain = 0;  // birthday, web address, extra items, mail without "@"
constexpr int kIconAge = 1;
constexpr int kIconOccupation = 2;
constexpr int kIconPostalCode = 5;
constexpr int kIconAddress = 6;
constexpr int kIconName = 7;
constexpr int kIconPhone = 9;
constexpr int kIconFax = 10;
constexpr int kIconMail = 11;

std::string Digits(int n, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", width, n);
    return buf;
}

std::string TwoDigits(int n) { return Digits(n, 2); }

bool StartsWithHttp(std::string_view text) {
    constexpr std::string_view kHttp = "http://";
    if (text.size() < kHttp.size()) return false;
    for (std::size_t i = 0; i < kHttp.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kHttp[i]) return false;
    }
    return true;
}

// Appends items with the texts trimmed; `icon` < 0 leaves the image index alone.
class Builder {
public:
    explicit Builder(ItemTree& tree) : tree_(tree) {}

    Item* Head(std::string_view text, int icon) {
        Item* item = tree_.AppendChild(nullptr, TrimLeadingBlanks(text));
        if (icon > 0) tree_.SetImageIndex(item, icon);
        return item;
    }
    void Child(Item* head, std::string_view text, int icon) {
        Item* item = tree_.AppendChild(head, TrimLeadingBlanks(text));
        if (icon > 0) tree_.SetImageIndex(item, icon);
    }
    // A child that is one field: only when the field holds something.
    void FieldChild(Item* head, const std::string& field, int icon) {
        if (!field.empty()) Child(head, field, icon);
    }

private:
    ItemTree& tree_;
};

// The system's era texts where it has a Japanese calendar, else the program's own table.
std::string EraName(const Date& date, Locale& locale) {
    std::string name = locale.EraName(date);
    return name.empty() ? BuiltInEraName(date) : name;
}
std::string EraYear(const Date& date, Locale& locale) {
    std::string year = locale.EraYear(date);
    return year.empty() ? BuiltInEraYear(date) : year;
}

}  // namespace

std::string TrimLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return std::string(text.substr(i));
}

int CalcAge(const Date& birth, const Date& today) {
    int age = today.year - birth.year;
    if (birth.month > today.month || (birth.month == today.month && today.day < birth.day)) --age;
    return age;
}

std::string FormatDatePicture(std::string_view picture, const Date& date, Locale& locale) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        if (c == '"') {
            std::size_t end = picture.find('"', i + 1);
            if (end == std::string_view::npos) end = picture.size();
            out.append(picture.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < picture.size()) {
            out.append(picture.substr(i, 2));
            i += 2;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        switch (c) {
            case 'y':
                out += run >= 3 ? Digits(date.year, 4) : TwoDigits(((date.year % 100) + 100) % 100);
                break;
            case 'm':
                out += run >= 2 ? TwoDigits(date.month) : IntToStr(date.month);
                break;
            case 'd':
                out += run >= 2 ? TwoDigits(date.day) : IntToStr(date.day);
                break;
            case 'g':
                out += EraName(date, locale);
                break;
            case 'e': {
                std::string year = EraYear(date, locale);
                if (run == 1 && year.size() > 1 && year[0] == '0') year.erase(0, 1);
                out += year;
                break;
            }
            default:
                out.append(run, c);
                break;
        }
        i += run;
    }
    return out;
}

void SplitMailItem(ItemTree& tree, Item* item) {
    if (!item) return;
    std::string text = item->Text();
    std::size_t at = FindSingleByteChar(text, '@');
    if (at == std::string::npos) return;
    tree.SetImageIndex(item, kIconMail);
    Builder b(tree);
    if (at > 0) b.Child(item, text.substr(0, at), kIconMail);
    if (at + 1 < text.size()) b.Child(item, text.substr(at + 1), kIconMail);
}

void SplitUrlItem(ItemTree& tree, Item* item) {
    if (!item) return;
    std::string text = item->Text();
    if (!StartsWithHttp(text) || text.size() == 7) return;
    Builder(tree).Child(item, text.substr(7), -1);
}

void BuildNewUserTree(ItemTree& tree, const WizardInput& in, Locale& locale) {
    tree.Clear();
    Builder b(tree);

    // 1 postal code
    if (!in.Yubin01.empty() && !in.Yubin02.empty()) {
        Item* head = b.Head(in.Yubin01 + "-" + in.Yubin02, kIconPostalCode);
        b.FieldChild(head, in.Yubin01, kIconPostalCode);
        b.FieldChild(head, in.Yubin02, kIconPostalCode);
    }
    // 2 address
    if (!(in.Todoufuken + in.Sikuchoson + in.Jyuusyo01 + in.Jyuusyo02).empty()) {
        Item* head = b.Head(in.Todoufuken + in.Sikuchoson + in.Jyuusyo01 + in.Jyuusyo02, kIconAddress);
        std::string city = in.Sikuchoson + in.Jyuusyo01 + in.Jyuusyo02;
        std::string street = in.Jyuusyo01 + in.Jyuusyo02;
        if (!city.empty()) b.Child(head, city, kIconAddress);
        if (!street.empty()) b.Child(head, street, kIconAddress);
        b.FieldChild(head, in.Todoufuken, kIconAddress);
        b.FieldChild(head, in.Sikuchoson, kIconAddress);
        b.FieldChild(head, in.Jyuusyo01, kIconAddress);
        b.FieldChild(head, in.Jyuusyo02, kIconAddress);
    }
    // 3 to 6 the names; romaji puts the given name (second field) first
    auto name = [&](const std::string& first, const std::string& second) {
        if (first.empty() && second.empty()) return;
        Item* head = b.Head(first + " " + second, kIconName);
        b.FieldChild(head, first, kIconName);
        b.FieldChild(head, second, kIconName);
    };
    name(in.Kanji01, in.Kanji02);
    name(in.Hiragana01, in.Hiragana02);
    name(in.Katakana01, in.Katakana02);
    name(in.Romaji02, in.Romaji01);
    // 7 and 8 the birthday, always
    {
        auto fmt = [&](std::string_view picture) { return FormatDatePicture(picture, in.Birthday, locale); };
        Item* head = b.Head(fmt(R"(yyyy"/"mm"/"dd)"), kIconPlain);
        for (const char* picture : {"yyyy", "mm", "dd", R"(yy"/"mm"/"dd)", "yy"})
            b.Child(head, fmt(picture), kIconPlain);
        head = b.Head(fmt(R"(gggee"年"mm"月"dd"日")"), kIconPlain);
        for (const char* picture : {R"(gggee"年")", R"(mm"月")", R"(dd"日")"}) b.Child(head, fmt(picture), kIconPlain);
    }
    // 9 age
    if (!in.Old.empty()) {
        Item* head = b.Head(in.Old, kIconAge);
        b.Child(head, in.Old + "歳", kIconAge);
        b.Child(head, in.Old + "才", kIconAge);
    }
    // 10 occupation
    if (!in.Syokugyou.empty()) b.Head(in.Syokugyou, kIconOccupation);
    // 11 and 12 phone and fax: both hyphens even when a part is missing
    auto phone = [&](const std::string& a, const std::string& m, const std::string& z, int icon) {
        if (a.empty() && m.empty() && z.empty()) return;
        Item* head = b.Head(a + "-" + m + "-" + z, icon);
        b.FieldChild(head, a, icon);
        b.FieldChild(head, m, icon);
        b.FieldChild(head, z, icon);
    };
    phone(in.Tel01, in.Tel02, in.Tel03, kIconPhone);
    phone(in.Fax01, in.Fax02, in.Fax03, kIconFax);
    // 13 mail, 14 web address, 15 to 19 the extra items
    if (!in.Mail.empty()) SplitMailItem(tree, b.Head(in.Mail, kIconPlain));
    if (!in.Url.empty()) SplitUrlItem(tree, b.Head(in.Url, kIconPlain));
    for (const std::string* extra : {&in.Tuika01, &in.Tuika02, &in.Tuika03, &in.Tuika04, &in.Tuika05}) {
        if (extra->empty()) continue;
        Item* head = b.Head(*extra, kIconPlain);
        SplitMailItem(tree, head);
        SplitUrlItem(tree, head);
    }

    // Items whose icon was never set still have no selected image.
    for (Item* item = tree.First(); item; item = item->Next())
        if (item->SelectedIndex() < 1) tree.SetSelectedIndex(item, item->ImageIndex() + 12);
}

}  // namespace cv2

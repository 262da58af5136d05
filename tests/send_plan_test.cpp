// What each gesture asks of the engine: the planner's plans as tables, and the key batches
// they are made of.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include "send/KeyBatches.h"
#include "send/Planner.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kTarget = 500;

// A row: how the settings and the item differ from the usual ones (paste mode, target 500,
// follow-up Tab, no wait, the item "abc" with no choices of its own), and the plan's steps
// joined by " | ". The differences, separated by spaces: "clip" (clipboard only), "wait=N",
// "fu=0|1|2" (the window's follow-up key), "typing", "diary" (the special target), "mode=N",
// "nohyphen", "way=P|K|S" and "ifu=N|T|E" (the item's own way and follow-up key), "empty",
// "text=...".
struct Row {
    const char* setup;
    const char* plan;
};

void Apply(const std::string& setup, SendSettings& s, ItemSend& item) {
    std::size_t at = 0;
    while (at < setup.size()) {
        std::size_t end = setup.find(' ', at);
        if (end == std::string::npos) end = setup.size();
        const std::string token = setup.substr(at, end - at);
        at = end + 1;
        const std::string value = token.substr(token.find('=') + 1);
        if (token == "clip") s.pasteMode = false;
        if (token == "typing") s.conversion.typing = true;
        if (token == "diary") s.specialTarget = true;
        if (token == "nohyphen") s.conversion.noHyphen = true;
        if (token == "empty") item.text.clear();
        if (token.rfind("wait=", 0) == 0) s.waitMs = std::stoi(value);
        if (token.rfind("fu=", 0) == 0) s.followUp = std::stoi(value);
        if (token.rfind("mode=", 0) == 0) s.conversion.mode = std::stoi(value);
        if (token.rfind("text=", 0) == 0) item.text = value;
        if (token.rfind("way=", 0) == 0)
            item.way = value == "P" ? SendWay::Paste : value == "K" ? SendWay::Type : SendWay::Space;
        if (token.rfind("ifu=", 0) == 0)
            item.followUp = value == "N"   ? FollowUpChoice::None
                            : value == "T" ? FollowUpChoice::Tab
                                           : FollowUpChoice::Enter;
    }
}

std::string Joined(const Plan& plan) {
    std::string out;
    for (const std::string& step : plan.Describe()) out += (out.empty() ? "" : " | ") + step;
    return out;
}

void ExpectPlans(const std::vector<Row>& rows, const std::function<Plan(const SendSettings&, const ItemSend&)>& plan) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.setup);
        SendSettings s;
        s.owner = 1;
        s.target = kTarget;
        s.followUp = 1;
        ItemSend item{"abc"};
        Apply(row.setup, s, item);
        EXPECT_EQ(Joined(plan(s, item)), row.plan);
    }
}

constexpr const char* kPasted =
    "await taken | offer 'abc' | activate 500 | release held | keys Ctrl+V Tab (paste) | refocus 500";
constexpr const char* kTyped =
    "await taken | offer 'abc' | activate 500 | release held, Ctrl too | close IME 500 | keys \"abc\" Tab | "
    "reopen IME | refocus 500";

TEST(Planner, OneItemByEachWayModeAndTarget) {
    ExpectPlans(
        {
            {"", kPasted},
            {"wait=100 fu=2",
             "await taken | offer 'abc' | activate 500 | pause 100 | release held | keys Ctrl+V Enter (paste) | "
             "refocus 500"},
            {"fu=0 wait=-5",
             "await taken | offer 'abc' | activate 500 | release held | keys Ctrl+V (paste) | refocus 500"},
            {"clip", "await taken | offer 'abc'"},
            {"clip empty", ""},
            // The clipboard keeps what it held, and that is pasted.
            {"empty", "activate 500 | release held | keys Ctrl+V Tab (paste) | refocus 500"},
            {"typing", kTyped},
            {"typing empty", "activate 500 | release held, Ctrl too | keys Tab | refocus 500"},
            // The diary takes its WM_PASTE, typing mode or not.
            {"diary typing",
             "await taken | offer 'abc' | activate 500 | diary paste 500 | release held, Ctrl too | keys Tab | "
             "refocus 500"},
            {"way=K", kTyped},
            {"diary way=K", kTyped},
            {"typing way=P", kPasted},
            {"way=S", "activate 500 | release held, Ctrl too | keys Space Tab | refocus 500"},
            {"ifu=N", "await taken | offer 'abc' | activate 500 | release held | keys Ctrl+V (paste) | refocus 500"},
            {"fu=0 ifu=E",
             "await taken | offer 'abc' | activate 500 | release held | keys Ctrl+V Enter (paste) | refocus 500"},
            {"mode=1 nohyphen text=〒１２３－４５６７",
             "await taken | offer '〒1234567' | activate 500 | release held | keys Ctrl+V Tab (paste) | refocus 500"},
            // What was on the clipboard must not be pasted in its place.
            {"nohyphen text=－－",
             "await taken | offer '' | activate 500 | release held | keys Ctrl+V Tab (paste) | refocus 500"},
        },
        PlanSend);
}

TEST(Planner, TheFollowUpKeyOnItsOwn) {
    ExpectPlans({{"", "activate 500 | release held, Ctrl too | keys Tab | refocus 500"},
                 {"fu=2", "activate 500 | release held, Ctrl too | keys Enter | refocus 500"},
                 {"fu=0", ""},
                 {"clip", ""}},
                [](const SendSettings& s, const ItemSend&) { return PlanFollowUpOnly(s); });
}

TEST(Planner, AGroupActivatesOnceAndChecksBetweenItems) {
    SendSettings s;
    s.owner = 1;
    s.target = kTarget;
    s.followUp = 1;
    s.waitMs = 50;
    const Plan plan = PlanGroup(s, {{"山田"}, {""}, {"太郎", SendWay::Type, FollowUpChoice::Enter}});
    EXPECT_THAT(plan.Describe(), ElementsAre("progress 1/3", "await taken", "offer '山田'", "activate 500", "pause 50",
                                             "release held", "keys Ctrl+V Tab (paste)", "progress 2/3",
                                             "checkpoint 500", "release held, Ctrl too", "keys Tab", "progress 3/3",
                                             "await taken", "checkpoint 500", "offer '太郎'", "release held, Ctrl too",
                                             "close IME 500", "keys \"太郎\" Enter", "reopen IME", "refocus 500"));
    // The plan holds its own copies of the texts.
    EXPECT_EQ(plan.steps[2].text, "山田");
    // Started by Shift with the gesture: the user lets go of Shift before the first Tab.
    EXPECT_EQ(PlanGroup(s, {{"a"}, {"b"}}, {kVkShift}).Describe().front(), "await up Shift 1000");
    s.pasteMode = false;
    EXPECT_THAT(PlanGroup(s, {{"a"}, {"b"}}, {kVkShift}).Describe(), IsEmpty());
}

TEST(Planner, AStepThroughAFormFromTheKeyboard) {
    const std::vector<std::uint16_t> hotKey = {kVkControl, kVkMenu};
    auto plan = [&](FormStep step) {
        return [step, hotKey](const SendSettings& s, const ItemSend& i) { return PlanFormStep(s, step, i, hotKey); };
    };
    const std::string before = "await up Ctrl+Alt 1000 | release held, Ctrl too | ";
    const std::string send = before + "await taken | offer 'abc' | release held | keys Ctrl+V Tab (paste)";
    // An empty item's follow-up key skips its field; a check box gets its Space.
    const std::string empty = before + "release held, Ctrl too | keys Tab";
    const std::string space = before + "release held, Ctrl too | keys Space Tab";
    ExpectPlans({{"", send.c_str()}, {"empty", empty.c_str()}, {"way=S", space.c_str()}}, plan(FormStep::Send));
    const std::string skip = before + "keys Tab", skipEnter = before + "keys Enter", back = before + "keys Shift+Tab";
    ExpectPlans({{"", skip.c_str()}, {"ifu=E", skipEnter.c_str()}}, plan(FormStep::Skip));
    ExpectPlans({{"fu=0", back.c_str()}}, plan(FormStep::Back));
}

// ---- key batches ----

std::string Events(const std::vector<KeyEvent>& keys) {
    std::string out;
    for (const KeyEvent& k : keys) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%s%s%X", out.empty() ? "" : " ", k.release ? "^" : "v", unsigned{k.key});
        out += buf;
    }
    return out;
}

TEST(KeyBatches, ChordsAndTypedTextPressAndReleaseEachKeyInOrder) {
    EXPECT_EQ(Events(PasteChord()), "v11 v56 ^11 ^56") << "Ctrl goes up before V";
    EXPECT_EQ(Events(KeyStroke(kVkTab, true)), "v10 v9 ^9 ^10");
    EXPECT_THAT(TypedKeys(""), IsEmpty());
    // ソ ends in 0x5C: one character, not a backslash after it.
    const std::vector<KeyEvent> typed = TypedKeys("東ｱソ\\@");
    EXPECT_EQ(Events(typed), "v6771 ^6771 vFF71 ^FF71 v30BD ^30BD v5C ^5C v40 ^40");
    for (const KeyEvent& k : typed) EXPECT_TRUE(k.unicode);
}

TEST(KeyBatches, HeldModifiersAreReleasedWithoutOpeningAMenu) {
    struct Case {
        std::set<std::uint16_t> held;
        bool withCtrl;
        const char* releases;
    };
    const Case cases[] = {
        {{}, true, ""},
        {{kVkLShift}, false, "^A0"},
        {{kVkRShift, kVkLShift}, false, "^A0 ^A1"},
        // An unassigned key first, so that the release of Alt or Windows opens nothing.
        {{kVkLMenu}, false, "vE8 ^E8 ^A4"},
        {{kVkRMenu, kVkLShift}, false, "vE8 ^E8 ^A0 ^A5"},
        {{kVkLWin}, false, "vE8 ^E8 ^5B"},
        // Some input sources set only the generic state.
        {{kVkShift}, false, "^10"},
        {{kVkMenu}, false, "vE8 ^E8 ^12"},
        {{kVkControl}, true, "^11"},
        {{kVkRControl, kVkLShift}, true, "^A0 ^A3"},
        // Before a paste chord a held Ctrl stays: the chord's own release lets go of it.
        {{kVkLControl}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releases);
        auto isDown = [&](std::uint16_t k) {
            if (c.held.count(k)) return true;
            if (k == kVkShift) return c.held.count(kVkLShift) || c.held.count(kVkRShift);
            if (k == kVkControl) return c.held.count(kVkLControl) || c.held.count(kVkRControl);
            if (k == kVkMenu) return c.held.count(kVkLMenu) || c.held.count(kVkRMenu);
            return false;
        };
        EXPECT_EQ(Events(HeldReleases(isDown, c.withCtrl)), c.releases);
    }
}

TEST(KeyBatches, ReleasesStillDueAfterAPartialSend) {
    const std::vector<KeyEvent> batch = {Press(kVkControl), Press(kVkV),   Release(kVkControl),
                                         Release(kVkV),     Press(kVkTab), Release(kVkTab)};
    const char* due[] = {"", "^11", "^11 ^56", "^56", "", "^9"};
    for (int sent = 0; sent < 6; ++sent) EXPECT_EQ(Events(ReleasesStillDue(batch, sent)), due[sent]) << sent;
    EXPECT_EQ(Events(ReleasesStillDue(batch, -1)), "^11 ^56 ^9") << "unknown: every release";
}

}  // namespace
}  // namespace cv2

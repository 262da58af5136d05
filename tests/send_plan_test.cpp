// What each gesture asks of the engine: the planner's plans as tables, and the key batches
// they are made of.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "send/KeyBatches.h"
#include "send/Planner.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kTarget = 500;

struct Row {
    const char* name;
    std::function<void(SendSettings&, ItemSend&)> change;
    std::vector<std::string> plan;
};

SendSettings Usual() {
    SendSettings s;
    s.owner = 1;
    s.target = kTarget;
    s.followUp = 1;  // Tab
    return s;
}

void ExpectPlans(const std::vector<Row>& rows, const std::function<Plan(const SendSettings&, const ItemSend&)>& plan) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SendSettings s = Usual();
        ItemSend item{"abc"};
        row.change(s, item);
        EXPECT_EQ(plan(s, item).Describe(), row.plan);
    }
}

TEST(Planner, OneItemByEachWayModeAndTarget) {
    const std::vector<std::string> typed = {
        "await taken",   "offer 'abc'",      "activate 500", "release held, Ctrl too",
        "close IME 500", "keys \"abc\" Tab", "reopen IME",   "refocus 500"};
    ExpectPlans(
        {
            {"paste, Tab",
             [](SendSettings&, ItemSend&) {},
             {"await taken", "offer 'abc'", "activate 500", "release held", "keys Ctrl+V Tab (paste)", "refocus 500"}},
            {"wait time, Enter",
             [](SendSettings& s, ItemSend&) {
                 s.waitMs = 100;
                 s.followUp = 2;
             },
             {"await taken", "offer 'abc'", "activate 500", "pause 100", "release held", "keys Ctrl+V Enter (paste)",
              "refocus 500"}},
            {"no follow-up, a negative wait",
             [](SendSettings& s, ItemSend&) { s.followUp = 0, s.waitMs = -5; },
             {"await taken", "offer 'abc'", "activate 500", "release held", "keys Ctrl+V (paste)", "refocus 500"}},
            {"clipboard only", [](SendSettings& s, ItemSend&) { s.pasteMode = false; }, {"await taken", "offer 'abc'"}},
            {"clipboard only, empty item",
             [](SendSettings& s, ItemSend& i) {
                 s.pasteMode = false;
                 i.text.clear();
             },
             {}},
            // The clipboard keeps what it held, and that is pasted.
            {"empty item",
             [](SendSettings&, ItemSend& i) { i.text.clear(); },
             {"activate 500", "release held", "keys Ctrl+V Tab (paste)", "refocus 500"}},
            {"typing mode", [](SendSettings& s, ItemSend&) { s.conversion.typing = true; }, typed},
            {"typing mode, empty item",
             [](SendSettings& s, ItemSend& i) {
                 s.conversion.typing = true;
                 i.text.clear();
             },
             {"activate 500", "release held, Ctrl too", "keys Tab", "refocus 500"}},
            {"the diary, typing mode or not",
             [](SendSettings& s, ItemSend&) { s.specialTarget = s.conversion.typing = true; },
             {"await taken", "offer 'abc'", "activate 500", "diary paste 500", "release held, Ctrl too", "keys Tab",
              "refocus 500"}},
            {"item typed", [](SendSettings&, ItemSend& i) { i.way = SendWay::Type; }, typed},
            {"item typed into the diary",
             [](SendSettings& s, ItemSend& i) {
                 s.specialTarget = true;
                 i.way = SendWay::Type;
             },
             typed},
            {"item pasted in typing mode",
             [](SendSettings& s, ItemSend& i) {
                 s.conversion.typing = true;
                 i.way = SendWay::Paste;
             },
             {"await taken", "offer 'abc'", "activate 500", "release held", "keys Ctrl+V Tab (paste)", "refocus 500"}},
            {"item presses Space",
             [](SendSettings&, ItemSend& i) { i.way = SendWay::Space; },
             {"activate 500", "release held, Ctrl too", "keys Space Tab", "refocus 500"}},
            {"item without follow-up",
             [](SendSettings&, ItemSend& i) { i.followUp = FollowUpChoice::None; },
             {"await taken", "offer 'abc'", "activate 500", "release held", "keys Ctrl+V (paste)", "refocus 500"}},
            {"item with Enter, window none",
             [](SendSettings& s, ItemSend& i) {
                 s.followUp = 0;
                 i.followUp = FollowUpChoice::Enter;
             },
             {"await taken", "offer 'abc'", "activate 500", "release held", "keys Ctrl+V Enter (paste)",
              "refocus 500"}},
            {"converted, hyphens gone",
             [](SendSettings& s, ItemSend& i) {
                 s.conversion = {kConvertHalfWidthAscii, true, false};
                 i.text = "〒１２３－４５６７";
             },
             {"await taken", "offer '〒1234567'", "activate 500", "release held", "keys Ctrl+V Tab (paste)",
              "refocus 500"}},
            // What was on the clipboard must not be pasted in its place.
            {"converts to nothing",
             [](SendSettings& s, ItemSend& i) {
                 s.conversion.noHyphen = true;
                 i.text = "－－";
             },
             {"await taken", "offer ''", "activate 500", "release held", "keys Ctrl+V Tab (paste)", "refocus 500"}},
        },
        PlanSend);
}

TEST(Planner, TheFollowUpKeyOnItsOwn) {
    ExpectPlans({{"Tab",
                  [](SendSettings&, ItemSend&) {},
                  {"activate 500", "release held, Ctrl too", "keys Tab", "refocus 500"}},
                 {"Enter",
                  [](SendSettings& s, ItemSend&) { s.followUp = 2; },
                  {"activate 500", "release held, Ctrl too", "keys Enter", "refocus 500"}},
                 {"none", [](SendSettings& s, ItemSend&) { s.followUp = 0; }, {}},
                 {"clipboard only", [](SendSettings& s, ItemSend&) { s.pasteMode = false; }, {}}},
                [](const SendSettings& s, const ItemSend&) { return PlanFollowUpOnly(s); });
}

TEST(Planner, AGroupActivatesOnceAndChecksBetweenItems) {
    SendSettings s = Usual();
    s.waitMs = 50;
    const Plan plan = PlanGroup(s, {{"山田"}, {""}, {"太郎", SendWay::Type, FollowUpChoice::Enter}});
    EXPECT_THAT(plan.Describe(), ElementsAre("progress 1/3", "await taken", "offer '山田'", "activate 500", "pause 50",
                                             "release held", "keys Ctrl+V Tab (paste)", "progress 2/3",
                                             "checkpoint 500", "release held, Ctrl too", "keys Tab", "progress 3/3",
                                             "await taken", "checkpoint 500", "offer '太郎'", "release held, Ctrl too",
                                             "close IME 500", "keys \"太郎\" Enter", "reopen IME", "refocus 500"));
    // The plan holds its own copies of the texts.
    EXPECT_EQ(plan.steps[2].text, "山田");
    s.pasteMode = false;
    EXPECT_THAT(PlanGroup(s, {{"a"}, {"b"}}).Describe(), IsEmpty());
}

TEST(Planner, AStepThroughAFormFromTheKeyboard) {
    const std::vector<std::uint16_t> hotKey = {kVkControl, kVkMenu};
    auto plan = [&](FormStep step) {
        return [step, hotKey](const SendSettings& s, const ItemSend& i) { return PlanFormStep(s, step, i, hotKey); };
    };
    const std::vector<std::string> send = {
        "await up Ctrl+Alt 1000", "release held, Ctrl too", "await taken", "offer 'abc'",
        "release held",           "keys Ctrl+V Tab (paste)"};
    ExpectPlans({{"send", [](SendSettings&, ItemSend&) {}, send}}, plan(FormStep::Send));
    ExpectPlans({{"send an empty item: its follow-up key skips the field",
                  [](SendSettings&, ItemSend& i) { i.text.clear(); },
                  {"await up Ctrl+Alt 1000", "release held, Ctrl too", "release held, Ctrl too", "keys Tab"}},
                 {"send a check box",
                  [](SendSettings&, ItemSend& i) { i.way = SendWay::Space; },
                  {"await up Ctrl+Alt 1000", "release held, Ctrl too", "release held, Ctrl too", "keys Space Tab"}}},
                plan(FormStep::Send));
    ExpectPlans(
        {{"skip", [](SendSettings&, ItemSend&) {}, {"await up Ctrl+Alt 1000", "release held, Ctrl too", "keys Tab"}},
         {"skip, item with Enter",
          [](SendSettings&, ItemSend& i) { i.followUp = FollowUpChoice::Enter; },
          {"await up Ctrl+Alt 1000", "release held, Ctrl too", "keys Enter"}}},
        plan(FormStep::Skip));
    ExpectPlans({{"back",
                  [](SendSettings& s, ItemSend&) { s.followUp = 0; },
                  {"await up Ctrl+Alt 1000", "release held, Ctrl too", "keys Shift+Tab"}}},
                plan(FormStep::Back));
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

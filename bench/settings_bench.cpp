// The settings work of a large tree: what exit (SaveSettings) and start-up (LoadSettings,
// LoadItemImages) cost with 20,000 items, in memory and through real files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "platform/PosixPorts.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeClock.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeDesktop.h"
#include "platform/fakes/FakeGlobalHotKeys.h"
#include "platform/fakes/FakeKeyInput.h"

namespace cv2 {
namespace {

constexpr int kGroups = 2000;  // 2,000 groups of 10 items: 20,000 items

struct Session {
    explicit Session(FileSystem& files)
        : platform{desktop, keys, clipboard, files, shell, locale, clock, hotKeys}, frm(view, platform) {
        ItemTree& tree = frm.Tree();
        for (int g = 0; g < kGroups; ++g) {
            Item* top = tree.AppendChild(nullptr, "group " + std::to_string(g));
            Item* sub = tree.AppendChild(top, "sub");
            for (int i = 0; i < 8; ++i) tree.AppendChild(i < 4 ? sub : top, "item " + std::to_string(i));
            tree.SetImageIndex(top, g % 12);
        }
        // The pointer on an expand button lets the expansions through.
        view.hits[{0, 0}] = HitTest{tree.First(), kHitOnItem | kHitOnButton};
        frm.MainTreeMouseMove(0, 0);
        for (Item* top = tree.First(); top; top = top->NextSibling())
            if (tree.IndexOf(top) % 70 == 0) tree.Expand(top, true, frm.Gate());
        view.selection = tree.ItemAt(12345);
    }

    fakes::CallLog log;
    fakes::FakeMainView view{log};
    fakes::FakeClock clock;
    fakes::FakeDesktop desktop{log};
    fakes::FakeKeyInput keys{log};
    fakes::FakeClipboard clipboard{log};
    fakes::FakeShell shell;
    fakes::FakeLocale locale;
    fakes::FakeGlobalHotKeys hotKeys;
    Platform platform;
    TCV2Frm frm;
};

void RunSettingsRoundTrip(benchmark::State& state, FileSystem& files, const std::wstring& userFile) {
    Session session(files);
    session.frm.SetDocumentForTest(userFile, false);
    for (auto _ : state) {
        session.frm.SaveSettings(userFile);
        session.frm.LoadSettings(userFile);
        session.frm.LoadItemImages();
    }
    if (session.view.selection != session.frm.Tree().ItemAt(12345)) state.SkipWithError("settings did not come back");
    state.counters["items"] = session.frm.Tree().Count();
}

void BM_SettingsInMemory(benchmark::State& state) {
    fakes::FakeFileSystem files;
    RunSettingsRoundTrip(state, files, L"C:\\Data\\big.cv2");
}
BENCHMARK(BM_SettingsInMemory)->Unit(benchmark::kMillisecond);

// Each operation on its own, in memory.
template <int kOperation>
void BM_SettingsStep(benchmark::State& state) {
    fakes::FakeFileSystem files;
    const std::wstring userFile = L"C:\\Data\\big.cv2";
    Session session(files);
    session.frm.SetDocumentForTest(userFile, false);
    session.frm.SaveSettings(userFile);
    for (auto _ : state) {
        if (kOperation == 0) session.frm.SaveSettings(userFile);
        if (kOperation == 1) session.frm.LoadSettings(userFile);
        if (kOperation == 2) session.frm.LoadItemImages();
    }
}
BENCHMARK(BM_SettingsStep<0>)->Name("SaveSettings")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsStep<1>)->Name("LoadSettings")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsStep<2>)->Name("LoadItemImages")->Unit(benchmark::kMillisecond);

void BM_SettingsRealFiles(benchmark::State& state) {
    char folder[] = "/tmp/cv2benchXXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::unique_ptr<FileSystem> files = MakePosixFileSystem();
    const std::string user = std::string(folder) + "/big.cv2";
    RunSettingsRoundTrip(state, *files, std::wstring(user.begin(), user.end()));
    std::remove((std::string(folder) + "/big.ini").c_str());
    std::remove(folder);
}
BENCHMARK(BM_SettingsRealFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cv2

BENCHMARK_MAIN();

// Loading and saving a user file of 100,000 items, and walking a tree by absolute index.
//
//   build/native/user_file_bench                 (all figures)
//   build/native/user_file_bench --benchmark_filter=Walk
//
// The walks run at several sizes; the reported complexity should come out as O(N).
#include <stdlib.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/PosixPorts.h"
#include "tree/UserFile.h"

namespace {

const char* const kTexts[] = {
    "郵便番号",
    "123-4567",
    "東京都千代田区表参道１－２－３",
    "ソフト表示ビル１０３号室",
    "山田　太郎",
    "やまだ　たろう",
    "ヤマダ　タロウ",
    "Taro Yamada",
    "平成元年１月８日",
    "会社員",
    "03-1234-5678",
    "taro@example.jp",
    "http://www.example.jp/~taro/",
    "予備項目",
};

// A forest of `count` items: groups of a few levels, like a user's data, with some deep runs.
void BuildTree(cv2::ItemTree& tree, int count) {
    std::mt19937 rng(2024);
    std::vector<cv2::Item*> path;
    for (int i = 0; i < count; ++i) {
        std::size_t level;
        if (path.empty())
            level = 0;
        else if (rng() % 50 == 0)
            level = path.size();  // now and then one level deeper than before
        else
            level = rng() % std::min<std::size_t>(path.size() + 1, 4);
        path.resize(level);
        std::string text = kTexts[rng() % (sizeof kTexts / sizeof *kTexts)];
        path.push_back(tree.AppendChild(level ? path[level - 1] : nullptr, std::move(text)));
    }
}

std::string TempFolder() {
    char name[] = "/tmp/cv2-bench-XXXXXX";
    if (!mkdtemp(name)) abort();
    return name;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

constexpr int kItems = 100000;

void BM_FormatUserFile(benchmark::State& state) {
    cv2::ItemTree tree;
    BuildTree(tree, kItems);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out = cv2::FormatUserFile(tree);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_ParseUserFile(benchmark::State& state) {
    cv2::ItemTree source;
    BuildTree(source, kItems);
    std::string bytes = cv2::FormatUserFile(source);
    for (auto _ : state) {
        cv2::ItemTree tree;
        cv2::ParseUserFile(bytes, tree);
        benchmark::DoNotOptimize(tree.Count());
        state.PauseTiming();  // freeing the items is not part of the load
        tree.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

// Through the native file system: a temporary file, fsync and rename each time.
void BM_SaveUserFile(benchmark::State& state) {
    cv2::ItemTree tree;
    BuildTree(tree, kItems);
    auto files = cv2::MakePosixFileSystem();
    std::string dir = TempFolder();
    std::wstring path = Wide(dir + "/bench.cv2");
    for (auto _ : state) cv2::SaveUserFile(*files, path, tree);
    state.SetItemsProcessed(state.iterations() * kItems);
    unlink((dir + "/bench.cv2").c_str());
    rmdir(dir.c_str());
}

// Reading the file and replacing a full tree by its items.
void BM_LoadUserFile(benchmark::State& state) {
    cv2::ItemTree source;
    BuildTree(source, kItems);
    auto files = cv2::MakePosixFileSystem();
    std::string dir = TempFolder();
    std::wstring path = Wide(dir + "/bench.cv2");
    cv2::SaveUserFile(*files, path, source);
    cv2::ItemTree tree;
    for (auto _ : state) {
        cv2::LoadUserFile(*files, path, tree);
        benchmark::DoNotOptimize(tree.Count());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
    unlink((dir + "/bench.cv2").c_str());
    rmdir(dir.c_str());
}

void BM_WalkForward(benchmark::State& state) {
    cv2::ItemTree tree;
    BuildTree(tree, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int i = 0; i < tree.Count(); ++i) benchmark::DoNotOptimize(tree.ItemAt(i));
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WalkBackward(benchmark::State& state) {
    cv2::ItemTree tree;
    BuildTree(tree, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int i = tree.Count() - 1; i >= 0; --i) benchmark::DoNotOptimize(tree.ItemAt(i));
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_FormatUserFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseUserFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveUserFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUserFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkForward)->RangeMultiplier(2)->Range(25000, 400000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkBackward)->RangeMultiplier(2)->Range(25000, 400000)->Complexity()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

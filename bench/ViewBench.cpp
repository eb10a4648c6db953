// Building (and freeing) the All Collections view of five collections of 20,000 clips each.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "GeneratedCollection.h"
#include "model/AllCollectionsView.h"
#include "model/ClipFile.h"

namespace velmora::bench {
namespace {

constexpr size_t kViewCollections = 5;
constexpr size_t kClipsPerCollection = 20'000;

// Forty folders each (ten in the root, three in each of those); the top-level names are shifted by two
// topics per collection, so neighbouring collections share most folders and merge them, two of them
// in lower case, which merges all the same.
const std::vector<model::TClipFile*>& ViewCollections() {
  static const std::vector<std::unique_ptr<model::TClipFile>> owned = [] {
    std::vector<std::unique_ptr<model::TClipFile>> made;
    for (size_t c = 0; c < kViewCollections; ++c) {
      made.push_back(GenerateCollection({.ClipCount = kClipsPerCollection,
                                         .FolderCount = 40,
                                         .FolderNameOffset = 2 * c,
                                         .LowerCaseFolderNames = c % 2 == 1,
                                         .Seed = 20260300 + c}));
    }
    return made;
  }();
  static const std::vector<model::TClipFile*> collections = [] {
    std::vector<model::TClipFile*> pointers;
    for (const auto& collection : owned)
      pointers.push_back(collection.get());
    return pointers;
  }();
  return collections;
}

// Folders anywhere in the tree.
size_t CountFolders(const model::TClipFolder& root) {
  size_t folders = 0;
  std::vector<const model::TClipFolder*> pending{&root};
  while (!pending.empty()) {
    const model::TClipFolder* folder = pending.back();
    pending.pop_back();
    for (model::TClipItem* child = folder->FirstChild(); child; child = child->NextSibling()) {
      if (const model::TClipFolder* sub = child->AsFolder()) {
        ++folders;
        pending.push_back(sub);
      }
    }
  }
  return folders;
}

// The iteration time is building plus freeing; the counters give the two parts.
void BM_BuildAllCollectionsView(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const std::vector<model::TClipFile*>& collections = ViewCollections();
  size_t sourceFolders = 0;
  for (const model::TClipFile* collection : collections)
    sourceFolders += CountFolders(*collection);
  size_t clips = 0;
  size_t viewFolders = 0;
  // Builds and frees one view; returns the seconds each took.
  auto buildAndFree = [&]() -> std::pair<double, double> {
    const Clock::time_point start = Clock::now();
    std::unique_ptr<model::TClipFile> view = BuildAllCollectionsView("All Collections", collections);
    const Clock::time_point built = Clock::now();
    clips = view->ClipCount();
    viewFolders = CountFolders(*view);
    const Clock::time_point freeing = Clock::now();
    view.reset();
    const Clock::time_point freed = Clock::now();
    return {std::chrono::duration<double>(built - start).count(),
            std::chrono::duration<double>(freed - freeing).count()};
  };
  // The program's first view also takes fresh memory from the system for its 100 MB of copied texts;
  // later views reuse what the one before freed, as showing the page again does. So one view is built
  // before the timed rounds and reported on its own (the program's first in the first repetition).
  const auto [coldBuild, coldFree] = buildAndFree();
  double buildSeconds = 0;
  double freeSeconds = 0;
  for (auto _ : state) {
    const auto [build, release] = buildAndFree();
    buildSeconds += build;
    freeSeconds += release;
    state.SetIterationTime(build + release);
  }
  if (clips != kViewCollections * kClipsPerCollection)
    state.SkipWithError("the view does not hold every clip");
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["build_ms"] = buildSeconds * 1e3 / iterations;
  state.counters["free_ms"] = freeSeconds * 1e3 / iterations;
  state.counters["first_build_ms"] = coldBuild * 1e3;
  state.counters["first_free_ms"] = coldFree * 1e3;
  state.counters["clips"] = static_cast<double>(clips);
  state.counters["source_folders"] = static_cast<double>(sourceFolders);
  state.counters["view_folders"] = static_cast<double>(viewFolders);
}

BENCHMARK(BM_BuildAllCollectionsView)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace
}  // namespace velmora::bench

// Sorting one folder of 100,000 clips, next to sorting their captions alone with the caption comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "GeneratedCollection.h"
#include "model/ClipFile.h"
#include "model/Collation.h"

namespace velmora::bench {
namespace {

// 100,000 clips directly in the root, all in one chain.
model::TClipFile& FlatCollection() {
  static const std::unique_ptr<model::TClipFile> collection =
      GenerateCollection({.ClipCount = kLargeClipCount, .FolderCount = 0, .Seed = 20260202});
  return *collection;
}

std::vector<model::TClipItem*> Children(const model::TClipFolder& folder) {
  std::vector<model::TClipItem*> children;
  children.reserve(folder.ChildCount());
  for (model::TClipItem* child = folder.FirstChild(); child; child = child->NextSibling())
    children.push_back(child);
  return children;
}

bool CaptionsAscend(const model::TClipFolder& folder) {
  std::string previous;
  for (model::TClipItem* child = folder.FirstChild(); child; child = child->NextSibling()) {
    std::string caption = child->GetCaption();
    if (child != folder.FirstChild() && model::CompareCaptions(previous, caption) > 0)
      return false;
    previous = std::move(caption);
  }
  return true;
}

void BM_SortAll(benchmark::State& state) {
  model::TClipFile& folder = FlatCollection();
  std::vector<model::TClipItem*> order = Children(folder);
  TRandom random(7);
  for (auto _ : state) {
    state.PauseTiming();
    Shuffle(order, random);
    folder.ReorderChildren(order);
    state.ResumeTiming();
    folder.SortAll();
  }
  if (!CaptionsAscend(folder))
    state.SkipWithError("SortAll left captions out of order");
  state.counters["clips"] = static_cast<double>(folder.ChildCount());
}

void BM_StableSortCaptions(benchmark::State& state) {
  std::vector<std::string> captions;
  for (model::TClipItem* child : Children(FlatCollection()))
    captions.push_back(child->GetCaption());
  std::vector<std::string> work;
  TRandom random(7);
  for (auto _ : state) {
    state.PauseTiming();
    work = captions;
    Shuffle(work, random);
    state.ResumeTiming();
    std::stable_sort(work.begin(), work.end(), [](const std::string& a, const std::string& b) {
      return model::CompareCaptions(a, b) < 0;
    });
    benchmark::DoNotOptimize(work.data());
  }
  state.counters["clips"] = static_cast<double>(work.size());
}

BENCHMARK(BM_SortAll)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_StableSortCaptions)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
}  // namespace velmora::bench

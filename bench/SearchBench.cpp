// Testing every clip of the large collection against a search text that occurs nowhere, next to grep
// scanning a file of the same texts for it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "GeneratedCollection.h"
#include "Grep.h"
#include "ScratchFiles.h"
#include "model/Clip.h"
#include "model/ClipSearch.h"

extern char** environ;

namespace velmora::bench {
namespace {

constexpr char kAsciiNeedle[] = "Zanzibar quokka";
constexpr char kNonAsciiNeedle[] = "Ωmega quokka";

// Calls Visit for every clip of the tree, walking it with an explicit stack.
template <class TVisit>
void ForEachClip(const model::TClipFolder& root, TVisit&& visit) {
  std::vector<const model::TClipFolder*> pending{&root};
  while (!pending.empty()) {
    const model::TClipFolder* folder = pending.back();
    pending.pop_back();
    for (const model::TClipItem* child = folder->FirstChild(); child; child = child->NextSibling()) {
      if (const model::TClip* clip = child->AsClip()) {
        visit(*clip);
      } else if (const model::TClipFolder* sub = child->AsFolder()) {
        pending.push_back(sub);
      }
    }
  }
}

struct TTextsFile {
  std::string Path;
  size_t Bytes = 0;
};

// Label, abbreviation and the texts of each clip's kind, one after another, each ended by a line break:
// what Matches looks at, written once.
const TTextsFile& TextsFile() {
  static const TTextsFile file = [] {
    std::string texts;
    ForEachClip(LargeCollection(), [&texts](const model::TClip& clip) {
      for (const std::string* text : {&clip.Label(), &clip.Abbreviation()}) {
        texts.append(*text);
        texts.push_back('\n');
      }
      if (clip.Kind() == model::kBeforeAfterText) {
        texts.append(clip.BeforeText()).append("\n").append(clip.AfterText()).append("\n");
      } else {
        texts.append(clip.Text()).append("\n");
      }
    });
    TTextsFile made{ScratchPath("texts.txt"), texts.size()};
    WriteBytes(made.Path, texts);  // just written, so in the page cache
    return made;
  }();
  return file;
}

void BM_Matches(benchmark::State& state, const char* needle) {
  const model::TClipFile& collection = LargeCollection();
  const TTextsFile& file = TextsFile();
  size_t clips = 0;
  size_t matches = 0;
  for (auto _ : state) {
    const model::TClipSearch search(needle);
    clips = 0;
    matches = 0;
    ForEachClip(collection, [&](const model::TClip& clip) {
      ++clips;
      matches += clip.Matches(search) ? 1 : 0;
    });
    benchmark::DoNotOptimize(matches);
  }
  if (clips != kLargeClipCount)
    state.SkipWithError("the walk missed clips");
  else if (matches != 0)
    state.SkipWithError("the search text occurs in the generated clips");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.Bytes));
}

void BM_Grep(benchmark::State& state, const char* needle) {
  const TTextsFile& file = TextsFile();
  const std::vector<std::string> environment = GrepEnvironment();
  for (auto _ : state) {
    // grep exits with 1 when no line matches, as it must here.
    if (RunGrep(needle, file.Path, environment) != 1) {
      state.SkipWithError("grep failed, or found the search text");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.Bytes));
}

BENCHMARK_CAPTURE(BM_Matches, Ascii, kAsciiNeedle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Grep, Ascii, kAsciiNeedle)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_CAPTURE(BM_Matches, NonAscii, kNonAsciiNeedle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Grep, NonAscii, kNonAsciiNeedle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

}  // namespace
}  // namespace velmora::bench

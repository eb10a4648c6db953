// Benchmarks of the editor's data at file scale: one-byte edits near a moving caret and at random places,
// exact and case-insensitive search next to memmem and grep, and loading a UTF-16 file next to reading its
// bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "Grep.h"
#include "ScratchFiles.h"
#include "editor/QvEditorDataBuffered.h"
#include "editor/QvEditorFile.h"
#include "model/AtomicFile.h"
#include "model/Utf8.h"

extern char** environ;

namespace velmora::bench {
namespace {

constexpr size_t kMegabyte = 1'000'000;
constexpr char kAsciiNeedle[] = "Zanzibar quokka";
constexpr char kNonAsciiNeedle[] = "\xCE\xA9mega quokka";  // Ωmega quokka

// --- Generated text ---

// Lines of words, mostly ASCII with some accented, Greek, Cyrillic and CJK words; never a needle.
const std::string& Text100() {
  static const std::string text = [] {
    const std::vector<std::string> words = {"the",
                                            "clipboard",
                                            "holds",
                                            "snippets",
                                            "of",
                                            "text",
                                            "and",
                                            "every",
                                            "paste",
                                            "keeps",
                                            "its",
                                            "format",
                                            "caf\xC3\xA9",
                                            "na\xC3\xAFve",
                                            "Stra\xC3\x9F"
                                            "e",
                                            "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82",
                                            "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0",
                                            "\xE6\x9D\xB1\xE4\xBA\xAC",
                                            "Quote",
                                            "Invoice",
                                            "42",
                                            "2024-06-11",
                                            "kelvin",
                                            "ALPHA",
                                            "omega",
                                            "zebra",
                                            "Zanzibar",
                                            "quick",
                                            "brown",
                                            "fox"};
    std::mt19937 random(1);
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::string made;
    made.reserve(100 * kMegabyte + 100);
    size_t lineStart = 0;
    while (made.size() < 100 * kMegabyte) {
      made += words[pick(random)];
      if (made.size() - lineStart > 70) {
        made += '\n';
        lineStart = made.size();
      } else {
        made += ' ';
      }
    }
    made.resize(100 * kMegabyte);
    return made;
  }();
  return text;
}

std::string_view TextOfSize(size_t bytes) {
  return std::string_view(Text100()).substr(0, bytes);
}

// The same text in a file, for grep.
const std::string& TextFile() {
  static const std::string path = [] {
    std::string made = ScratchPath("text.txt");
    WriteBytes(made, Text100());
    return made;
  }();
  return path;
}

// A UTF-16 little-endian file with a mark, of 100 MB, holding the start of the text.
const std::string& Utf16File() {
  static const std::string path = [] {
    const std::string& text = Text100();
    std::string bytes = "\xFF\xFE";
    bytes.reserve(100 * kMegabyte + 8);
    auto putUnit = [&bytes](char32_t unit) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    };
    for (size_t pos = 0; pos < text.size() && bytes.size() < 100 * kMegabyte;) {
      const model::TUtf8Char c = model::DecodeUtf8At(text, pos);
      if (c.CodePoint >= 0x10000) {
        putUnit(0xD800 + ((c.CodePoint - 0x10000) >> 10));
        putUnit(0xDC00 + ((c.CodePoint - 0x10000) & 0x3FF));
      } else {
        putUnit(c.CodePoint);
      }
      pos += c.Length;
    }
    std::string made = ScratchPath("utf16.txt");
    WriteBytes(made, bytes);
    return made;
  }();
  return path;
}

// --- Edits ---

double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2),
                   values.end());
  return values[values.size() / 2];
}

double Percentile99(std::vector<double> values) {
  if (values.empty())
    return 0;
  const size_t index = values.size() * 99 / 100;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
  return values[index];
}

using TClock = std::chrono::steady_clock;

double NanosecondsBetween(TClock::time_point start, TClock::time_point end) {
  return std::chrono::duration<double, std::nano>(end - start).count();
}

// What one pair of clock readings costs by itself, so that a reader can judge the medians below.
double ClockOverhead() {
  std::vector<double> samples(10000);
  for (double& sample : samples) {
    const auto start = TClock::now();
    sample = NanosecondsBetween(start, TClock::now());
  }
  return Median(samples);
}

// Where the next edit happens: a caret wandering a few bytes at a time, or anywhere.
enum class TPlacement { NearCaret, Random };

// Operations one-byte inserts and deletes, alternately, each at the next place and timed alone.
template <class TEditor>
void RunEdits(benchmark::State& state, TEditor& edit, size_t size, TPlacement placement, int operations) {
  std::mt19937 random(7);
  std::vector<double> inserts;
  std::vector<double> deletes;
  inserts.reserve(static_cast<size_t>(operations));
  deletes.reserve(static_cast<size_t>(operations));
  size_t caret = size / 2;
  size_t current = size;
  for (auto _ : state) {
    for (int i = 0; i < operations; ++i) {
      if (placement == TPlacement::NearCaret) {
        const auto step = static_cast<ptrdiff_t>(random() % 129) - 64;
        caret = static_cast<size_t>(std::clamp<ptrdiff_t>(static_cast<ptrdiff_t>(caret) + step, 0,
                                                          static_cast<ptrdiff_t>(current) - 1));
      } else {
        caret = random() % current;
      }
      const bool insert = i % 2 == 0;
      const auto start = TClock::now();
      if (insert)
        edit.Insert(caret, 'x');
      else
        edit.Delete(caret);
      (insert ? inserts : deletes).push_back(NanosecondsBetween(start, TClock::now()));
      current += insert ? 1 : -1;
    }
  }
  std::vector<double> all = inserts;
  all.insert(all.end(), deletes.begin(), deletes.end());
  state.counters["median_ns"] = Median(all);
  state.counters["insert_median_ns"] = Median(inserts);
  state.counters["delete_median_ns"] = Median(deletes);
  state.counters["p99_ns"] = Percentile99(all);
  state.counters["ops"] = static_cast<double>(all.size());
  state.counters["clock_ns"] = ClockOverhead();
}

class TDataEditor {
 public:
  explicit TDataEditor(std::string_view text) { FData.Insert(0, text); }
  void Insert(size_t position, char c) {
    FData.Insert(static_cast<int32_t>(position), std::string_view(&c, 1));
  }
  void Delete(size_t position) {
    benchmark::DoNotOptimize(FData.DeleteRange(static_cast<int32_t>(position), 1));
  }

 private:
  editor::TQvEditorDataBuffered FData;
};

// The baseline: one contiguous string, where every edit moves the whole tail.
class TStringEditor {
 public:
  explicit TStringEditor(std::string_view text) : FText(text) {}
  void Insert(size_t position, char c) { FText.insert(position, 1, c); }
  void Delete(size_t position) { FText.erase(position, 1); }

 private:
  std::string FText;
};

void BM_DataEdits(benchmark::State& state, TPlacement placement, int operations) {
  const size_t size = static_cast<size_t>(state.range(0)) * kMegabyte;
  TDataEditor editor(TextOfSize(size));
  RunEdits(state, editor, size, placement, operations);
}

void BM_StringEdits(benchmark::State& state, TPlacement placement, int operations) {
  const size_t size = static_cast<size_t>(state.range(0)) * kMegabyte;
  TStringEditor editor(TextOfSize(size));
  RunEdits(state, editor, size, placement, operations);
}

BENCHMARK_CAPTURE(BM_DataEdits, NearCaret, TPlacement::NearCaret, 10000)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_DataEdits, Random, TPlacement::Random, 1000)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_StringEdits, NearCaret, TPlacement::NearCaret, 500)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// --- Exact search ---

// Searching the whole 100 MB for a text that is not there; the gap is out of the way before timing, as
// after the first search.
void BM_FindText(benchmark::State& state, bool backward) {
  editor::TQvEditorDataBuffered data;
  data.Insert(0, Text100());
  data.ContiguousView();
  const int32_t last = data.Size() - 1;
  for (auto _ : state) {
    const int32_t found =
        backward ? data.FindText(kAsciiNeedle, last, 0) : data.FindText(kAsciiNeedle, 0, last);
    if (found != -1)
      state.SkipWithError("the needle occurs in the text");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * data.Size());
}

void BM_Memmem(benchmark::State& state) {
  const std::string& text = Text100();
  for (auto _ : state) {
    const void* found = ::memmem(text.data(), text.size(), kAsciiNeedle, std::strlen(kAsciiNeedle));
    benchmark::DoNotOptimize(found);
    if (found)
      state.SkipWithError("the needle occurs in the text");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(BM_FindText, Forward, false)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FindText, Backward, true)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Memmem)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- Case-insensitive search ---

void BM_FindTextIgnoreCase(benchmark::State& state, const char* needle) {
  editor::TQvEditorDataBuffered data;
  data.Insert(0, Text100());
  data.FindTextIgnoreCase(needle, 0,
                          0);  // builds the case tables once, as the first search of a session does
  data.ContiguousView();
  const int32_t last = data.Size() - 1;
  for (auto _ : state) {
    if (data.FindTextIgnoreCase(needle, 0, last) != -1)
      state.SkipWithError("the needle occurs in the text");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * data.Size());
}

void BM_GrepIgnoreCase(benchmark::State& state, const char* needle) {
  const std::string& path = TextFile();  // just written, so in the page cache
  const std::vector<std::string> environment = GrepEnvironment();
  for (auto _ : state) {
    // grep exits with 1 when no line matches, as it must here.
    if (RunGrep(needle, path, environment) != 1) {
      state.SkipWithError("grep failed, or found the needle");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text100().size()));
}

BENCHMARK_CAPTURE(BM_FindTextIgnoreCase, Ascii, kAsciiNeedle)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_GrepIgnoreCase, Ascii, kAsciiNeedle)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FindTextIgnoreCase, NonAscii, kNonAsciiNeedle)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_GrepIgnoreCase, NonAscii, kNonAsciiNeedle)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// --- Loading ---

void BM_LoadUtf16File(benchmark::State& state) {
  const std::string& path = Utf16File();
  editor::TQvEditorFile file;
  for (auto _ : state) {
    file.LoadFromFile(path);
    benchmark::DoNotOptimize(file.Size());
  }
  state.counters["text_MB"] = file.Size() / 1e6;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

// The baseline: the file's bytes read into a new buffer.
void BM_ReadUtf16FileBytes(benchmark::State& state) {
  const std::string& path = Utf16File();
  for (auto _ : state) {
    const model::TFileContents contents = model::ReadWholeFile(path);
    benchmark::DoNotOptimize(contents.Bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

BENCHMARK(BM_LoadUtf16File)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadUtf16FileBytes)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora::bench

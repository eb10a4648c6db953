// Testing every clip of the large collection against a search text that occurs nowhere, next to grep
// scanning a file of the same texts for it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "GeneratedCollection.h"
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

// The environment with LC_ALL=C.UTF-8, so that grep folds case per UTF-8 character as Matches does.
std::vector<std::string> GrepEnvironment() {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable; ++variable) {
    if (std::strncmp(*variable, "LC_ALL=", 7) != 0)
      variables.emplace_back(*variable);
  }
  variables.emplace_back("LC_ALL=C.UTF-8");
  return variables;
}

// Runs grep -c -i -F Needle Path with its output sent to /dev/null; returns its exit status, or -1.
int RunGrep(const std::string& needle, const std::string& path, const std::vector<std::string>& environment) {
  std::vector<char*> argv;
  for (const char* argument : {"grep", "-c", "-i", "-F"})
    argv.push_back(const_cast<char*>(argument));
  argv.push_back(const_cast<char*>(needle.c_str()));
  argv.push_back(const_cast<char*>(path.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& variable : environment)
    envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "grep", &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    return -1;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR)
      return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

// Loading and saving the 100 MB collection, next to reading and writing the same bytes as one block.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "GeneratedCollection.h"
#include "ScratchFiles.h"
#include "model/ClipFile.h"
#include "model/CollectionStream.h"

namespace velmora::bench {
namespace {

// Reads Size bytes of Path into Buffer: open, one read (more only if the system returns less), close.
void ReadBlock(const std::string& path, char* buffer, size_t size) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0)
    throw std::runtime_error("Cannot open " + path + ": " + std::strerror(errno));
  size_t used = 0;
  while (used < size) {
    const ssize_t got = ::read(descriptor, buffer + used, size - used);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      throw std::runtime_error("Cannot read " + path);
    used += static_cast<size_t>(got);
  }
  ::close(descriptor);
}

// The same durability as saving a collection: a temporary file in the target's folder, written, flushed
// to disk and closed, renamed over the target, and the rename flushed too.
void WriteBlockDurably(const std::string& folder, const std::string& path, std::string_view bytes) {
  std::string temporary = path + ".XXXXXX";
  const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0)
    throw std::runtime_error("Cannot create " + temporary + ": " + std::strerror(errno));
  WriteAll(descriptor, bytes);
  if (::fsync(descriptor) != 0 || ::close(descriptor) != 0)
    throw std::runtime_error("Cannot flush " + temporary + ": " + std::strerror(errno));
  if (::rename(temporary.c_str(), path.c_str()) != 0)
    throw std::runtime_error("Cannot rename " + temporary + ": " + std::strerror(errno));
  const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderDescriptor >= 0) {
    ::fsync(folderDescriptor);
    ::close(folderDescriptor);
  }
}

struct TCollectionFile {
  std::string Bytes;  // the large collection as saved
  std::string Path;   // a file holding exactly these bytes
};

const TCollectionFile& CollectionFile() {
  static const TCollectionFile file = [] {
    TCollectionFile made;
    model::TStringStreamWriter writer;
    LargeCollection().SaveToStream(writer);
    made.Bytes = writer.TakeData();
    made.Path = ScratchPath("collection.vmc");
    WriteBytes(made.Path, made.Bytes);
    // Read once, so that every timed read finds the file in the page cache.
    std::vector<char> buffer(made.Bytes.size());
    ReadBlock(made.Path, buffer.data(), buffer.size());
    return made;
  }();
  return file;
}

// A subfolder of the scratch folder, made on demand.
std::string ScratchSubfolder(const std::string& name) {
  const std::string folder = ScratchPath(name);
  std::filesystem::create_directories(folder);
  return folder;
}

void CountBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_LoadFromFile(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  size_t clips = 0;
  for (auto _ : state) {
    auto loaded = std::make_unique<model::TClipFile>();
    loaded->LoadFromFile(file.Path);
    state.PauseTiming();
    clips = loaded->ClipCount();
    loaded.reset();  // freeing the tree is not part of loading
    state.ResumeTiming();
  }
  if (clips != kLargeClipCount)
    state.SkipWithError("the loaded collection does not hold every clip");
  CountBytes(state, file.Bytes.size());
}

void BM_ReadBlock(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  std::vector<char> buffer(file.Bytes.size());
  for (auto _ : state) {
    ReadBlock(file.Path, buffer.data(), buffer.size());
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  CountBytes(state, file.Bytes.size());
}

// The same read into a buffer allocated for it and freed after, as a reader that keeps nothing between
// files must do: this adds what first touching 100 MB of new memory costs on the machine.
void BM_ReadBlockNewBuffer(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  for (auto _ : state) {
    std::unique_ptr<char[]> buffer(new char[file.Bytes.size()]);
    ReadBlock(file.Path, buffer.get(), file.Bytes.size());
    benchmark::DoNotOptimize(buffer.get());
    benchmark::ClobberMemory();
  }
  CountBytes(state, file.Bytes.size());
}

void BM_SaveToFile(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  model::TClipFile& collection = LargeCollection();
  // Saving names the collection after the file: a file of the collection's own name keeps the name, and
  // so the bytes, the same in every round.
  const std::string path = ScratchSubfolder("save") + "/" + collection.Name() + ".vmc";
  collection.SaveToFile(path);  // every timed round replaces an existing file, as the baselines do
  for (auto _ : state) {
    state.PauseTiming();
    ::sync();  // no write-back of an earlier round running into this one
    state.ResumeTiming();
    collection.SaveToFile(path);
  }
  if (std::filesystem::file_size(path) != file.Bytes.size())
    state.SkipWithError("the saved file differs in size from the block baselines");
  CountBytes(state, file.Bytes.size());
}

void BM_WriteBlock(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  const std::string path = ScratchSubfolder("block") + "/collection.vmc";
  WriteBytes(path, file.Bytes);
  for (auto _ : state) {
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
    WriteBytes(path, file.Bytes);
  }
  CountBytes(state, file.Bytes.size());
}

void BM_WriteBlockDurable(benchmark::State& state) {
  const TCollectionFile& file = CollectionFile();
  const std::string folder = ScratchSubfolder("durable");
  const std::string path = folder + "/collection.vmc";
  WriteBlockDurably(folder, path, file.Bytes);
  for (auto _ : state) {
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
    WriteBlockDurably(folder, path, file.Bytes);
  }
  CountBytes(state, file.Bytes.size());
}

BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ReadBlock)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(BM_ReadBlockNewBuffer)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WriteBlock)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WriteBlockDurable)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
}  // namespace velmora::bench

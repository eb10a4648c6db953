// The clip record and clipboard reads at clip scale: encoding and decoding a clip, and ReadClip through the
// in-memory clipboard, each next to a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "exchange/ClipRecord.h"
#include "exchange/ClipboardExt.h"
#include "model/Clip.h"
#include "platform/ClipboardFormats.h"
#include "platform/fake/FakeClipboard.h"

namespace velmora::bench {
namespace {

// Word-like text of Size bytes, with line breaks and a few non-ASCII letters.
std::string MakeText(size_t size) {
  static const char* const kWords[] = {
      "clip ", "paste ", "caf\xC3\xA9 ", "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 ", "text\r\n", "snippet "};
  std::mt19937 random(static_cast<unsigned>(size));
  std::string text;
  while (text.size() < size)
    text += kWords[random() % std::size(kWords)];
  text.resize(size);
  return text;
}

std::unique_ptr<model::TClip> MakeClip(size_t size) {
  auto clip = std::make_unique<model::TClip>(model::kPlainText, MakeText(size));
  clip->SetLabel("A label");
  clip->SetAbbreviation("ab");
  return clip;
}

void BM_EncodeDecodeClip(benchmark::State& state) {
  const auto size = static_cast<size_t>(state.range(0));
  const std::unique_ptr<model::TClip> clip = MakeClip(size);
  for (auto _ : state) {
    const std::string block = exchange::EncodeClip(*clip);
    std::unique_ptr<model::TClip> decoded = exchange::DecodeClip(block);
    benchmark::DoNotOptimize(decoded->Text().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// What the same bytes cost to copy twice (in and out of a block), the least any encode and decode does.
void BM_MemcpyTwice(benchmark::State& state) {
  const auto size = static_cast<size_t>(state.range(0));
  const std::string text = MakeText(size);
  for (auto _ : state) {
    std::string block(text.size(), '\0');
    std::memcpy(block.data(), text.data(), text.size());
    std::string back(block.size(), '\0');
    std::memcpy(back.data(), block.data(), block.size());
    benchmark::DoNotOptimize(back.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// ReadClip of a clip another application put as plain text, through the in-memory clipboard.
void BM_ReadClipThroughFake(benchmark::State& state) {
  const auto size = static_cast<size_t>(state.range(0));
  platform::TFakeClipboard clipboard;
  clipboard.PutFromOtherApplication({{std::string(platform::kTextFormat), MakeText(size)}});
  exchange::TClipboardExt clipboardExt(clipboard, 1);
  for (auto _ : state) {
    std::unique_ptr<model::TClip> clip = clipboardExt.ReadClip();
    benchmark::DoNotOptimize(clip->Text().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_MemcpyOnce(benchmark::State& state) {
  const auto size = static_cast<size_t>(state.range(0));
  const std::string text = MakeText(size);
  for (auto _ : state) {
    std::string copy(text.size(), '\0');
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

BENCHMARK(BM_EncodeDecodeClip)->Arg(1 << 10)->Arg(1 << 20);
BENCHMARK(BM_MemcpyTwice)->Arg(1 << 10)->Arg(1 << 20);
BENCHMARK(BM_ReadClipThroughFake)->Arg(1 << 10)->Arg(1 << 20);
BENCHMARK(BM_MemcpyOnce)->Arg(1 << 10)->Arg(1 << 20);

}  // namespace
}  // namespace velmora::bench

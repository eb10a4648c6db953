// Deterministic clip collections for the benchmarks: word-like texts with line breaks and some non-ASCII
// characters, labels, abbreviations and a few rectangular, before/after and binary clips, in nested folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/ClipFile.h"

namespace velmora::bench {

// A small generator whose sequence is the same with every compiler and library (the standard
// distributions are not), so every run works on the same data.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : FState(seed) {}

  uint64_t Next();
  // Uniform in [0, Bound); Bound must not be 0.
  uint64_t Below(uint64_t bound) {
    return static_cast<uint64_t>((static_cast<unsigned __int128>(Next()) * bound) >> 64);
  }
  bool OneIn(uint64_t count) { return Below(count) == 0; }

 private:
  uint64_t FState;
};

// Fisher-Yates with TRandom.
template <class T>
void Shuffle(std::vector<T>& items, TRandom& random) {
  for (size_t i = items.size(); i > 1; --i)
    std::swap(items[i - 1], items[random.Below(i)]);
}

struct TCollectionShape {
  size_t ClipCount = 0;
  // A quarter of the folders sit in the root, the others inside them. With no folders every clip sits
  // in the root.
  size_t FolderCount = 0;
  // Shifts the names the top-level folders take, so that collections share some names but not all.
  size_t FolderNameOffset = 0;
  bool LowerCaseFolderNames = false;
  uint64_t Seed = 1;
};

// Builds a collection. Texts are 1 to 2047 bytes (1 KB on average); a tenth of the clips hold non-ASCII
// words, a third have a label, a twentieth an abbreviation; one in a hundred is binary, one in a hundred
// before/after and one in a hundred rectangular. No text contains the letter q.
std::unique_ptr<model::TClipFile> GenerateCollection(const TCollectionShape& shape);

inline constexpr size_t kLargeClipCount = 100'000;

// 100,000 clips in 200 folders, about 100 MB, built on first use.
model::TClipFile& LargeCollection();

}  // namespace velmora::bench

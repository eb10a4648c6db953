// Generation of the benchmark collections from a fixed seed.
#include "GeneratedCollection.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "model/Clip.h"
#include "model/Utf8.h"

namespace velmora::bench {

uint64_t TRandom::Next() {
  // splitmix64
  uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

namespace {

using model::TClip;
using model::TClipFile;
using model::TClipFolder;

constexpr size_t kMaxTextBytes = 2047;

// No q anywhere, so that the search benchmarks' needles never occur.
constexpr std::string_view kConsonants = "bcdfghjklmnprstvwxyz";
constexpr std::string_view kVowels = "aeiou";

// Words beyond ASCII: accented Latin, Greek (with omegas), Cyrillic, CJK, Hangul and emoji.
constexpr std::array<std::string_view, 24> kNonAsciiWords = {
    "café",   "naïve", "Müller", "über",   "Größe",  "Straße", "façade",   "señor",
    "ωμέγα",  "Ωραίο", "λόγος",  "ΑΘΗΝΑ",  "привет", "Москва", "ЁЛКА",     "щётка",
    "日本語", "東京",  "中文",   "한국어", "😀",      "🚀✨",     "👍🏽", "€100"};

constexpr std::array<std::string_view, 24> kTopics = {
    "Addresses", "Answers",   "Bash",   "Bugs",     "Code",    "Contracts",  "Design",  "Email",
    "Forms",     "Greetings", "HTML",   "Invoices", "Java",    "Legal",      "Letters", "Markdown",
    "Meetings",  "Notes",     "Python", "Quotes",   "Recipes", "Signatures", "SQL",     "Support"};

constexpr std::array<std::string_view, 12> kSubtopics = {"Archive", "Drafts",    "English", "French",
                                                         "German",  "Internal",  "Old",     "Public",
                                                         "Replies", "Templates", "Today",   "Work"};

void AppendWord(std::string& out, TRandom& random, bool capital) {
  const size_t syllables = 1 + random.Below(3);
  for (size_t i = 0; i < syllables; ++i) {
    char consonant = kConsonants[random.Below(kConsonants.size())];
    if (capital && i == 0)
      consonant = static_cast<char>(consonant - 'a' + 'A');
    out.push_back(consonant);
    out.push_back(kVowels[random.Below(kVowels.size())]);
    if (random.OneIn(4))
      out.push_back(kConsonants[random.Below(kConsonants.size())]);
  }
}

// Sentences of words with spaces and CR LF line breaks, cut to Length bytes without splitting a character.
std::string MakeText(TRandom& random, size_t length, bool nonAscii) {
  std::string text;
  text.reserve(length + 32);
  bool sentenceStart = true;
  while (text.size() < length) {
    if (!text.empty())
      text.append(random.OneIn(10) ? "\r\n" : " ");
    if (nonAscii && random.OneIn(6)) {
      text.append(kNonAsciiWords[random.Below(kNonAsciiWords.size())]);
    } else {
      AppendWord(text, random, sentenceStart);
    }
    sentenceStart = false;
    const uint64_t punctuation = random.Below(16);
    if (punctuation == 0) {
      text.push_back('.');
      sentenceStart = true;
    } else if (punctuation == 1) {
      text.push_back(',');
    }
  }
  text.resize(model::Utf8CutPoint(text, length));
  return text;
}

std::string MakeLabel(TRandom& random, bool nonAscii) {
  std::string label;
  const size_t words = 1 + random.Below(4);
  for (size_t i = 0; i < words; ++i) {
    if (i > 0)
      label.push_back(' ');
    if (nonAscii && random.OneIn(3)) {
      label.append(kNonAsciiWords[random.Below(kNonAsciiWords.size())]);
    } else {
      AppendWord(label, random, i == 0);
    }
  }
  return label;
}

std::string MakeAbbreviation(TRandom& random) {
  std::string abbreviation;
  AppendWord(abbreviation, random, false);
  abbreviation.resize(std::min<size_t>(abbreviation.size(), 4));
  abbreviation.append(std::to_string(random.Below(100)));
  return abbreviation;
}

std::string MakeBinary(TRandom& random, size_t length) {
  std::string bytes(length, '\0');
  for (char& byte : bytes)
    byte = static_cast<char>(random.Below(256));
  return bytes;
}

std::string FolderName(std::string_view base, size_t index, size_t poolSize, bool lowerCase) {
  std::string name(base);
  if (index >= poolSize)
    name.append(" " + std::to_string(index / poolSize + 1));
  if (lowerCase) {
    for (char& c : name)
      c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name;
}

// The folders of the collection; top-level folder T is named after topic T + offset, and the subfolders
// of a top-level folder are named after its topic too, so same-named folders of two collections also
// have same-named subfolders.
std::vector<TClipFolder*> MakeFolders(TClipFile& root, const TCollectionShape& shape) {
  std::vector<TClipFolder*> folders;
  if (shape.FolderCount == 0)
    return folders;
  const size_t topCount = std::max<size_t>(1, shape.FolderCount / 4);
  for (size_t t = 0; t < topCount; ++t) {
    const size_t topic = t + shape.FolderNameOffset;
    folders.push_back(root.Add<TClipFolder>(
        root.LastChild(),
        FolderName(kTopics[topic % kTopics.size()], topic, kTopics.size(), shape.LowerCaseFolderNames)));
  }
  for (size_t j = topCount; j < shape.FolderCount; ++j) {
    const size_t parentIndex = (j - topCount) % topCount;
    const size_t place = (j - topCount) / topCount;  // among the parent's subfolders
    TClipFolder* parent = folders[parentIndex];
    const size_t subtopic = (place + parentIndex + shape.FolderNameOffset) % kSubtopics.size();
    folders.push_back(parent->Add<TClipFolder>(
        parent->LastChild(),
        FolderName(kSubtopics[subtopic], place, kSubtopics.size(), shape.LowerCaseFolderNames)));
  }
  return folders;
}

void AddClip(TClipFolder& folder, TRandom& random) {
  const size_t length = 1 + random.Below(kMaxTextBytes);
  const bool nonAscii = random.OneIn(10);
  const uint64_t kindRoll = random.Below(100);
  TClip* clip;
  if (kindRoll == 0) {
    clip = folder.Add<TClip>(folder.LastChild(), model::kBinaryData, MakeBinary(random, length));
  } else if (kindRoll == 1) {
    const std::string text = MakeText(random, length, nonAscii);
    const size_t cut = model::Utf8CutPoint(text, text.size() / 2);
    clip = folder.Add<TClip>(folder.LastChild(), model::kBeforeAfterText, std::string_view());
    clip->SetBeforeText(std::string_view(text).substr(0, cut));
    clip->SetAfterText(std::string_view(text).substr(cut));
  } else {
    const uint8_t kind = kindRoll == 2 ? model::kRectangularText : model::kPlainText;
    clip = folder.Add<TClip>(folder.LastChild(), kind, MakeText(random, length, nonAscii));
  }
  if (random.OneIn(3))
    clip->SetLabel(MakeLabel(random, nonAscii));
  if (random.OneIn(20))
    clip->SetAbbreviation(MakeAbbreviation(random));
}

}  // namespace

std::unique_ptr<TClipFile> GenerateCollection(const TCollectionShape& shape) {
  TRandom random(shape.Seed);
  auto root = std::make_unique<TClipFile>();
  root->SetName("Generated " + std::to_string(shape.Seed));
  const std::vector<TClipFolder*> folders = MakeFolders(*root, shape);
  for (size_t i = 0; i < shape.ClipCount; ++i) {
    TClipFolder& folder = folders.empty() ? *root : *folders[random.Below(folders.size())];
    AddClip(folder, random);
  }
  return root;
}

TClipFile& LargeCollection() {
  static const std::unique_ptr<TClipFile> collection =
      GenerateCollection({.ClipCount = kLargeClipCount, .FolderCount = 200, .Seed = 20260101});
  return *collection;
}

}  // namespace velmora::bench

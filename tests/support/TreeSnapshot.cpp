#include "TreeSnapshot.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/Collation.h"
#include "model/RecycledClip.h"

namespace velmora::model::testing {

namespace {

// Tests compare alphabetical orders against fixed expectations: use one locale whatever the machine's.
class TFixedCollationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { TCollation::Instance().SetLocale("en"); }
};

const auto* const collationEnvironment = ::testing::AddGlobalTestEnvironment(new TFixedCollationEnvironment);

template <class Describe>
std::string Walk(const TClipFolder& root, Describe describe) {
  std::string out = root.Name() + "{";
  std::vector<const TClipItem*> next{root.FirstChild()};
  while (!next.empty()) {
    const TClipItem* item = next.back();
    if (!item) {
      next.pop_back();
      out += "}";
      continue;
    }
    next.back() = item->NextSibling();
    if (item->PrevSibling())
      out += ",";
    if (const TClipFolder* folder = item->AsFolder()) {
      out += folder->Name() + "{";
      next.push_back(folder->FirstChild());
    } else {
      out += describe(*item->AsClip());
    }
  }
  return out;
}

}  // namespace

std::string Snapshot(const TClipFolder& folder) {
  return Walk(folder, [](const TClip& clip) {
    std::string text = clip.GetCaption();
    if (const auto* recycled = dynamic_cast<const TRecycledClip*>(&clip)) {
      text += "@" + std::to_string(recycled->DeletedOn());
    }
    return text;
  });
}

std::string FullSnapshot(const TClipFolder& folder) {
  return Walk(folder, [](const TClip& clip) {
    std::string text =
        "(" + std::to_string(clip.Kind()) + "|" + clip.Label() + "|" + clip.Abbreviation() + "|";
    if (clip.Kind() == kBeforeAfterText) {
      text += clip.BeforeText() + "|" + clip.AfterText();
    } else {
      text += clip.Text();
    }
    text += clip.Indent() ? "|i" : "|-";
    if (const auto* recycled = dynamic_cast<const TRecycledClip*>(&clip)) {
      text += "@" + std::to_string(recycled->DeletedOn());
    }
    return text + ")";
  });
}

std::string CheckLinks(const TClipFolder& root) {
  std::vector<const TClipFolder*> pending{&root};
  while (!pending.empty()) {
    const TClipFolder* folder = pending.back();
    pending.pop_back();
    size_t children = 0;
    size_t clips = 0;
    const TClipItem* prev = nullptr;
    for (const TClipItem* child = folder->FirstChild(); child; child = child->NextSibling()) {
      if (child->Parent() != folder)
        return "wrong parent under " + folder->Name();
      if (child->PrevSibling() != prev)
        return "wrong PrevSibling under " + folder->Name();
      prev = child;
      ++children;
      if (const TClipFolder* sub = child->AsFolder()) {
        clips += sub->ClipCount();
        pending.push_back(sub);
      } else {
        ++clips;
      }
    }
    if (folder->LastChild() != prev)
      return "wrong LastChild of " + folder->Name();
    if (folder->ChildCount() != children)
      return "wrong ChildCount of " + folder->Name();
    if (folder->ClipCount() != clips)
      return "wrong ClipCount of " + folder->Name();
  }
  return "";
}

TClip* AddClip(TClipFolder& folder, const std::string& caption) {
  TClip* clip = folder.Add<TClip>(folder.LastChild(), kPlainText, "text of " + caption);
  clip->SetLabel(caption);
  return clip;
}

TClipFolder* AddFolder(TClipFolder& folder, const std::string& name) {
  return folder.Add<TClipFolder>(folder.LastChild(), name);
}

void FillRandomTree(TClipFolder& root, std::mt19937& random, int items, int maxDepth) {
  static const char* const kCaptions[] = {"apple", "Apple", "banana", "cherry",
                                          "Édith", "edith", "zeta",   "b"};
  std::vector<std::pair<TClipFolder*, int>> folders{{&root, 0}};
  for (int i = 0; i < items; ++i) {
    auto [parent, depth] = folders[random() % folders.size()];
    const std::string caption = kCaptions[random() % std::size(kCaptions)];
    const unsigned what = random() % 10;
    if (what < 3 && depth < maxDepth) {
      folders.emplace_back(AddFolder(*parent, caption), depth + 1);
    } else {
      TClip* clip = what == 3 ? parent->Add<TRecycledClip>(parent->LastChild())
                              : parent->Add<TClip>(parent->LastChild());
      if (auto* recycled = dynamic_cast<TRecycledClip*>(clip))
        recycled->SetDeletedOn(static_cast<int32_t>(random() % 50000) - 100);
      clip->SetKind(static_cast<uint8_t>(random() % 4));
      if (random() % 2)
        clip->SetLabel(caption);
      if (random() % 3 == 0)
        clip->SetAbbreviation(caption.substr(0, 2));
      std::string text = caption + std::string(random() % 50, 'x');
      text.push_back(static_cast<char>(random() % 256));
      text.push_back('\0');
      clip->SetText(text);
      clip->SetBeforeText("<" + caption + ">");
      clip->SetAfterText("</" + caption + ">");
      clip->SetIndent(random() % 2);
    }
  }
}

}  // namespace velmora::model::testing

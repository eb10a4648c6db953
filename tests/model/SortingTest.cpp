// Alphabetical placement: FindSortedPosition, SortAll, MergeItem and Resort.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>

#include "TreeSnapshot.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/Collation.h"
#include "model/SortOrder.h"

namespace velmora::model {
namespace {

using testing::AddClip;
using testing::AddFolder;
using testing::CheckLinks;
using testing::Snapshot;

// The selection sort the order is defined by, written out step by step: the earliest smallest caption
// among Head and the items after it moves in front of Head.
void ReferenceSortAll(TClipFolder& folder) {
  TClipItem* head = folder.FirstChild();
  while (head) {
    TClipItem* smallest = head;
    for (TClipItem* item = head->NextSibling(); item; item = item->NextSibling()) {
      if (CompareCaptions(item->GetCaption(), smallest->GetCaption()) < 0)
        smallest = item;
    }
    if (smallest == head) {
      if (TClipFolder* sub = head->AsFolder())
        ReferenceSortAll(*sub);
      head = head->NextSibling();
    } else {
      smallest->MoveAfter(head->PrevSibling(), &folder);
      if (TClipFolder* sub = smallest->AsFolder())
        ReferenceSortAll(*sub);
    }
  }
}

TEST(Sorting, FindSortedPositionGoesBeforeAnEqualFirstChildAndAfterOtherEquals) {
  TClipFile root;
  TClip* b = AddClip(root, "b");
  TClip* c = AddClip(root, "c");
  struct TCase {
    const char* Caption;
    TClipItem* Expected;
  } cases[] = {{"b", nullptr}, {"B", nullptr}, {"c", c}, {"a", nullptr}, {"d", c}, {"bb", b}};
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Caption);
    EXPECT_EQ(root.FindSortedPosition(test.Caption), test.Expected);
  }
  TClipFile empty;
  EXPECT_EQ(empty.FindSortedPosition("x"), nullptr);
}

TEST(Sorting, CaptionsCompareByLocaleIgnoringCase) {
  EXPECT_EQ(CompareCaptions("apple", "APPLE"), 0);
  EXPECT_LT(CompareCaptions("apple", "Banana"), 0);
  EXPECT_LT(CompareCaptions("édith", "Frank"), 0);  // not after z as bytes would put it
  EXPECT_LT(CompareCaptions("edith", "Édith"), 0);  // accents still count
  EXPECT_GT(CompareCaptions("zeta", "Ωmega"), -2);
}

TEST(Sorting, SortKeysAgreeWithComparison) {
  std::mt19937 random(7);
  const char* pieces[] = {"a", "A", "b", "é", "E", "\xff", "\xc3", "1", " ", "ß", "ss", "Ω", "ω", "-", "\0"};
  std::string keyA, keyB;
  for (int round = 0; round < 2000; ++round) {
    std::string a, b;
    for (int i = random() % 5; i > 0; --i)
      a += pieces[random() % std::size(pieces)];
    for (int i = random() % 5; i > 0; --i)
      b += pieces[random() % std::size(pieces)];
    TCollation::Instance().SortKey(a, keyA);
    TCollation::Instance().SortKey(b, keyB);
    const int byKeys = keyA < keyB ? -1 : keyA > keyB ? 1 : 0;
    ASSERT_EQ(byKeys, CompareCaptions(a, b)) << "'" << a << "' vs '" << b << "'";
  }
}

TEST(Sorting, SortAllMixesFoldersAndClipsAndKeepsEqualsInOrder) {
  TClipFile root;
  root.SetName("r");
  AddClip(root, "b");
  TClipFolder* f = AddFolder(root, "a");
  AddClip(*f, "z");
  AddClip(*f, "y");
  TClip* first = AddClip(root, "B");
  TClip* second = AddClip(root, "b");
  AddClip(root, "A");
  root.SortAll();
  EXPECT_EQ(Snapshot(root), "r{a{y,z},A,b,B,b}");
  EXPECT_EQ(first->NextSibling(), second);
  EXPECT_EQ(CheckLinks(root), "");
}

TEST(Sorting, SortAllGivesExactlyTheSelectionSortOrder) {
  std::mt19937 random(42);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    // The same tree twice; clips of equal captions differ in their texts, so the snapshot shows their order.
    TClipFile ours, reference;
    std::mt19937 twin = random;
    testing::FillRandomTree(ours, random, 5 + round * 5, 4);
    testing::FillRandomTree(reference, twin, 5 + round * 5, 4);
    ours.SortAll();
    ReferenceSortAll(reference);
    EXPECT_EQ(testing::FullSnapshot(ours), testing::FullSnapshot(reference));
    EXPECT_EQ(CheckLinks(ours), "");
  }
}

TEST(Sorting, SortedInsertionOrderMatchesInsertingOneByOne) {
  std::mt19937 random(5);
  const char* captions[] = {"a", "A", "b", "B", "c", "ä"};
  for (int round = 0; round < 300; ++round) {
    TClipFile root;
    std::vector<TClipItem*> items;
    std::vector<std::string> names;
    for (int i = random() % 12; i > 0; --i)
      names.push_back(captions[random() % std::size(captions)]);
    for (size_t i = 0; i < names.size(); ++i) {
      auto clip = std::make_unique<TClip>();
      clip->SetLabel(names[i]);
      items.push_back(clip.get());
      TClipItem* position = root.FindSortedPosition(names[i]);
      TClipItem::LinkAfter(std::move(clip), position, &root);
    }
    std::vector<std::string> keys(names.size());
    for (size_t i = 0; i < names.size(); ++i)
      TCollation::Instance().SortKey(names[i], keys[i]);
    // Compare identities: equal captions must come out in the same order.
    std::vector<TClipItem*> expected, actual;
    for (size_t index : SortedInsertionOrder(std::vector<std::string_view>(keys.begin(), keys.end())))
      expected.push_back(items[index]);
    for (TClipItem* item = root.FirstChild(); item; item = item->NextSibling())
      actual.push_back(item);
    ASSERT_EQ(actual, expected) << "round " << round;
  }
}

TEST(Sorting, MergeItemMovesChildrenIntoTheSameNamedFolder) {
  struct TCase {
    const char* Name;
    bool Sorted;
    const char* Expected;
  } cases[] = {
      // Without sorting each merged child goes after the one merged before it, the first in front; a
      // merged subfolder is the place after which the next one goes.
      {"unsorted", false, "r{WORK{b,a,c,Sub{x,y},d},z}"},
      {"sorted", true, "r{WORK{a,b,c,d,Sub{x,y}},z}"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TClipFile root;
    root.SetName("r");
    TClipFolder* existing = AddFolder(root, "WORK");
    AddClip(*existing, "a");
    AddClip(*existing, "c");
    AddClip(*AddFolder(*existing, "Sub"), "y");
    AddClip(root, "z");

    auto incoming = std::make_unique<TClipFolder>("Work");
    AddClip(*incoming, "b");
    AddClip(*AddFolder(*incoming, "sub"), "x");
    AddClip(*incoming, "d");
    TClipItem* result = root.MergeItem(nullptr, std::move(incoming), test.Sorted);
    EXPECT_EQ(result, existing);
    EXPECT_EQ(Snapshot(root), test.Expected);
    EXPECT_EQ(root.ClipCount(), 7u);
    EXPECT_EQ(CheckLinks(root), "");
  }
}

TEST(Sorting, MergeItemLinksWhatHasNoTwin) {
  TClipFile root;
  root.SetName("r");
  AddClip(root, "m");
  TClipItem* clip = root.MergeItem(nullptr, std::make_unique<TClip>(kPlainText, "zz"), true);
  TClipItem* folder = root.MergeItem(nullptr, std::make_unique<TClipFolder>("a"), true);
  root.MergeItem(nullptr, std::make_unique<TClipFolder>("n"), false);
  EXPECT_EQ(Snapshot(root), "r{n{},a{},m,zz}");
  EXPECT_EQ(clip->Parent(), &root);
  EXPECT_EQ(folder->Parent(), &root);
}

TEST(Sorting, ResortMovesAnItemToItsPlace) {
  TClipFile root;
  root.SetName("r");
  AddClip(root, "a");
  TClip* moving = AddClip(root, "b");
  AddClip(root, "c");
  moving->SetLabel("d");
  moving->Resort();
  EXPECT_EQ(Snapshot(root), "r{a,c,d}");
  moving->SetLabel("0");
  moving->Resort();
  EXPECT_EQ(Snapshot(root), "r{0,a,c}");
}

TEST(Sorting, SwitchingSortedOnSortsTheWholeCollectionAndOffKeepsTheOrder) {
  TClipFile root;
  root.SetName("r");
  AddClip(root, "b");
  AddClip(*AddFolder(root, "f"), "z");
  root.FirstChild()->NextSibling()->AsFolder()->Add<TClip>(nullptr)->SetLabel("zz");
  root.SetSorted(true);
  EXPECT_EQ(Snapshot(root), "r{b,f{z,zz}}");
  root.SetSorted(false);
  AddClip(root, "a");
  root.SetSorted(false);  // unchanged: nothing happens
  EXPECT_EQ(Snapshot(root), "r{b,f{z,zz},a}");
  root.SetSorted(true);
  EXPECT_EQ(Snapshot(root), "r{a,b,f{z,zz}}");
}

}  // namespace
}  // namespace velmora::model

namespace velmora::model {
namespace {

TEST(Sorting, KeptSortKeysFollowCaptionAndCollationChanges) {
  TClipFile root;
  root.SetName("r");
  TClip* first = testing::AddClip(root, "a");
  testing::AddClip(root, "m");
  TClipFolder* folder = testing::AddFolder(root, "b");
  TClip* unlabeled = root.Add<TClip>(root.LastChild(), kPlainText, "c text");
  root.SortAll();
  EXPECT_EQ(testing::Snapshot(root), "r{a,b{},c text,m}");
  first->SetLabel("z");
  folder->SetName("y");
  unlabeled->SetText("0 text");
  root.SortAll();
  EXPECT_EQ(testing::Snapshot(root), "r{0 text,m,y{},z}");
  unlabeled->SetKind(kBeforeAfterText);  // its caption is now "New clip"
  root.SortAll();
  EXPECT_EQ(testing::Snapshot(root), "r{m,New clip,y{},z}");

  TClipFile words;
  words.SetName("w");
  testing::AddClip(words, "z");
  testing::AddClip(words, "ä");
  words.SortAll();
  EXPECT_EQ(testing::Snapshot(words), "w{ä,z}");
  TCollation::Instance().SetLocale("sv");  // Swedish puts ä after z
  words.SortAll();
  EXPECT_EQ(testing::Snapshot(words), "w{z,ä}");
  TCollation::Instance().SetLocale("en");
}

}  // namespace
}  // namespace velmora::model

namespace velmora::model {
namespace {

// Sets the locale variables for one test and puts the old values back, also when the test fails.
class TScopedLocaleEnvironment {
 public:
  TScopedLocaleEnvironment(const char* all, const char* collate, const char* lang) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      FSaved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    Set("LC_ALL", all);
    Set("LC_COLLATE", collate);
    Set("LANG", lang);
  }
  ~TScopedLocaleEnvironment() {
    for (size_t i = 0; i < std::size(kNames); ++i)
      Set(kNames[i], FSaved[i] ? FSaved[i]->c_str() : nullptr);
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_COLLATE", "LANG"};
  static void Set(const char* name, const char* value) {
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::vector<std::optional<std::string>> FSaved;
};

TEST(Sorting, TheCollationLocaleComesFromTheEnvironment) {
  struct TCase {
    const char* All;
    const char* Collate;
    const char* Lang;
    const char* Expected;
  } cases[] = {
      {"de_DE.UTF-8", "sv_SE.UTF-8", "fr_FR.UTF-8", "de_DE"},
      {nullptr, "sv_SE.UTF-8@euro", "fr_FR", "sv_SE"},
      {"", nullptr, "fr_FR.UTF-8", "fr_FR"},
      {"C", nullptr, "fr_FR", ""},
      {"POSIX.UTF-8", nullptr, nullptr, ""},
      {nullptr, nullptr, nullptr, ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Expected);
    TScopedLocaleEnvironment environment(test.All, test.Collate, test.Lang);
    EXPECT_EQ(UserCollationLocale(), test.Expected);
  }
}

}  // namespace
}  // namespace velmora::model

// The All Collections view: how it merges, and what its items do to the real ones.
#include <gtest/gtest.h>

#include <random>

#include "TreeSnapshot.h"
#include "model/AllCollectionsView.h"
#include "model/ShadowClip.h"
#include "model/ShadowClipFolder.h"

namespace velmora::model {
namespace {

using testing::AddClip;
using testing::AddFolder;
using testing::CheckLinks;
using testing::Snapshot;

// The merge written out as defined, one sorted insertion at a time, recursively.
void ReferenceMerge(TClipFolder& source, TClipFolder& target) {
  for (TClipItem* child = source.FirstChild(); child; child = child->NextSibling()) {
    if (TClipFolder* folder = child->AsFolder()) {
      auto* shadow = static_cast<TShadowClipFolder*>(target.FindSubfolder(folder->Name()));
      if (shadow) {
        shadow->AddRealFolder(*folder);
      } else {
        shadow = TClipItem::LinkAfter(std::make_unique<TShadowClipFolder>(*folder),
                                      target.FindSortedPosition(folder->Name()), &target);
      }
      ReferenceMerge(*folder, *shadow);
    } else {
      TClipItem::LinkAfter(std::make_unique<TShadowClip>(*child->AsClip()),
                           target.FindSortedPosition(child->GetCaption()), &target);
    }
  }
}

// Which real item each view item stands for, in view order: the view's shape and its links.
std::string RealItems(const TClipFolder& view) {
  std::string out;
  std::vector<const TClipItem*> next{view.FirstChild()};
  while (!next.empty()) {
    const TClipItem* item = next.back();
    if (!item) {
      next.pop_back();
      out += ")";
      continue;
    }
    next.back() = item->NextSibling();
    if (const auto* folder = dynamic_cast<const TShadowClipFolder*>(item)) {
      out += "(";
      for (const TClipFolder* real : folder->RealFolders())
        out += std::to_string(real->ID()) + " ";
      next.push_back(folder->FirstChild());
    } else {
      out += std::to_string(static_cast<const TShadowClip*>(item)->RealClip().ID()) + " ";
    }
  }
  return out;
}

TEST(AllCollectionsView, MergesSameNamedFoldersAndSortsEverything) {
  TClipFile first, second;
  first.SetName("first");
  second.SetName("second");
  AddClip(*AddFolder(first, "Work"), "mail");
  AddClip(first, "zebra");
  AddClip(*AddFolder(second, "WORK"), "agenda");
  AddClip(second, "apple");
  auto view = BuildAllCollectionsView("All Collections", {&first, &second});
  // The last collection is merged first, so its folder gives the merged folder its name.
  EXPECT_EQ(Snapshot(*view), "All Collections{apple,WORK{agenda,mail},zebra}");
  EXPECT_TRUE(view->NeedsRefresh());
  EXPECT_EQ(view->ClipCount(), 4u);
  EXPECT_EQ(CheckLinks(*view), "");
}

TEST(AllCollectionsView, EqualsTheMergeInsertedOneByOne) {
  std::mt19937 random(99);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::unique_ptr<TClipFile>> collections;
    std::vector<TClipFile*> pages;
    for (int i = random() % 4 + 1; i > 0; --i) {
      collections.push_back(std::make_unique<TClipFile>());
      testing::FillRandomTree(*collections.back(), random, 3 + round * 3, 3);
      pages.push_back(collections.back().get());
    }
    auto view = BuildAllCollectionsView("view", pages);
    TClipFile reference;
    reference.SetName("view");
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
      ReferenceMerge(**page, reference);
    EXPECT_EQ(RealItems(*view), RealItems(reference));
    EXPECT_EQ(Snapshot(*view), Snapshot(reference));
    EXPECT_EQ(CheckLinks(*view), "");
  }
}

TEST(AllCollectionsView, DeletingAViewFolderDeletesTheRealOnesEverywhere) {
  TClipFile a, b;
  a.SetName("a");
  b.SetName("b");
  TClipFolder* workA = AddFolder(a, "Work");
  AddClip(*AddFolder(*workA, "Deep"), "x");
  AddClip(*workA, "y");
  AddClip(a, "keep");
  AddClip(*AddFolder(*AddFolder(b, "work"), "deep"), "z");
  auto view = BuildAllCollectionsView("All", {&a, &b});
  ASSERT_EQ(Snapshot(*view), "All{keep,work{deep{x,z},y}}");
  view->FirstChild()->NextSibling()->Delete();
  EXPECT_EQ(Snapshot(*view), "All{keep}");
  EXPECT_EQ(Snapshot(a), "a{keep}");
  EXPECT_EQ(Snapshot(b), "b{}");
  for (TClipFile* file : {&a, &b}) {
    EXPECT_TRUE(file->Modified());
    EXPECT_TRUE(file->NeedsRefresh());
  }
  EXPECT_EQ(CheckLinks(a), "");
}

TEST(AllCollectionsView, DeletingAViewClipDeletesItsRealClip) {
  TClipFile a;
  a.SetName("a");
  AddClip(a, "one");
  AddClip(a, "two");
  auto view = BuildAllCollectionsView("All", {&a});
  view->FirstChild()->Delete();
  EXPECT_EQ(Snapshot(a), "a{two}");
  EXPECT_TRUE(a.Modified());
}

TEST(AllCollectionsView, RenamingAndEditingWriteBack) {
  TClipFile a, b;
  a.SetName("a");
  b.SetName("b");
  TClip* real = AddClip(*AddFolder(a, "F"), "old");
  AddFolder(b, "f");
  auto view = BuildAllCollectionsView("All", {&a, &b});
  auto* folder = static_cast<TShadowClipFolder*>(view->FirstChild());
  ASSERT_EQ(folder->Name(), "f");  // named after the last collection's folder
  folder->SetName("F");            // differs in case only: a real change
  EXPECT_EQ(Snapshot(b), "b{F{}}");
  EXPECT_TRUE(a.Modified());
  EXPECT_TRUE(b.Modified());
  folder->SetName("Renamed");
  EXPECT_EQ(Snapshot(b), "b{Renamed{}}");

  TClipFile c;
  TClipFolder* same = AddFolder(c, "Same");
  auto otherView = BuildAllCollectionsView("All", {&c});
  otherView->FirstChild()->AsFolder()->SetName("Same");
  EXPECT_FALSE(c.Modified());  // the same name: nothing happens
  (void)same;

  auto* clip = static_cast<TShadowClip*>(folder->FirstChild());
  clip->SetLabel("new");
  clip->SetAbbreviation("nw");
  clip->Changed();
  EXPECT_EQ(real->Label(), "new");
  EXPECT_EQ(real->Abbreviation(), "nw");
}

}  // namespace
}  // namespace velmora::model

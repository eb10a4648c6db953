// Linking, ownership, identity and counts of clip trees.
#include <gtest/gtest.h>
#include <pthread.h>

#include "TreeSnapshot.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/ClipFolder.h"
#include "model/Errors.h"

namespace velmora::model {
namespace {

using testing::AddClip;
using testing::AddFolder;
using testing::CheckLinks;
using testing::Snapshot;

TEST(ClipTree, IdsCountUpFromTwoHundredFiftySixAndAreNeverReused) {
  EXPECT_GE(PeekNextItemID(), kFirstItemID);
  const uint32_t first = PeekNextItemID();
  TClipFile root;
  TClip* clip = AddClip(root, "a");
  EXPECT_EQ(root.ID(), first);
  EXPECT_EQ(clip->ID(), first + 1);
  clip->Delete();
  EXPECT_EQ(AddClip(root, "b")->ID(), first + 2);
}

TEST(ClipTree, LinkAfterPutsTheItemFirstOrAfterPrev) {
  TClipFile root;
  root.SetName("r");
  TClip* b = AddClip(root, "b");
  root.Add<TClip>(nullptr)->SetLabel("a");                                     // first, in front of b
  TClipItem::LinkAfter(std::make_unique<TClip>(), b, nullptr)->SetLabel("c");  // Prev alone names the parent
  EXPECT_EQ(Snapshot(root), "r{a,b,c}");
  EXPECT_EQ(CheckLinks(root), "");
}

TEST(ClipTree, UnlinkHandsBackOwnershipAndMoveAfterRelinks) {
  TClipFile root;
  root.SetName("r");
  TClip* a = AddClip(root, "a");
  TClipFolder* f = AddFolder(root, "f");
  TClip* c = AddClip(root, "c");
  std::unique_ptr<TClipItem> taken = a->Unlink();
  EXPECT_EQ(taken.get(), a);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(Snapshot(root), "r{f{},c}");
  TClipItem::LinkAfter(std::move(taken), nullptr, f);
  c->MoveAfter(a, f);
  EXPECT_EQ(Snapshot(root), "r{f{a,c}}");
  EXPECT_EQ(root.ClipCount(), 2u);
  EXPECT_EQ(root.ChildCount(), 1u);
  EXPECT_EQ(CheckLinks(root), "");
}

TEST(ClipTree, RefusesToLinkAFolderIntoItself) {
  auto outer = std::make_unique<TClipFolder>("outer");
  TClipFolder* inner = AddFolder(*outer, "inner");
  TClipFolder* raw = outer.get();
  EXPECT_THROW(TClipItem::LinkAfter(std::move(outer), nullptr, inner), std::logic_error);
  (void)raw;  // freed by the refused link: leak checkers would report it otherwise
}

TEST(ClipTree, RefusesToLinkWithoutAPlace) {
  EXPECT_THROW(TClipItem::LinkAfter(std::make_unique<TClip>(), nullptr, nullptr), std::invalid_argument);
  TClipFile a, b;
  TClip* inA = AddClip(a, "x");
  EXPECT_THROW(TClipItem::LinkAfter(std::make_unique<TClip>(), inA, &b), std::invalid_argument);
}

TEST(ClipTree, CountsFollowEveryChange) {
  TClipFile root;
  TClipFolder* f = AddFolder(root, "f");
  TClipFolder* g = AddFolder(*f, "g");
  AddClip(*g, "1");
  AddClip(*g, "2");
  AddClip(*f, "3");
  EXPECT_EQ(root.ClipCount(), 3u);
  EXPECT_TRUE(root.HasClips());
  EXPECT_EQ(f->ChildCount(), 2u);
  g->MoveAfter(nullptr, &root);
  EXPECT_EQ(f->ClipCount(), 1u);
  EXPECT_EQ(root.ClipCount(), 3u);
  g->Delete();
  EXPECT_EQ(root.ClipCount(), 1u);
  f->DeleteChildren();
  EXPECT_FALSE(root.HasClips());
  EXPECT_EQ(CheckLinks(root), "");
}

TEST(ClipTree, FindByIdFindsOnlyInsideTheSubtree) {
  TClipFile root;
  TClipFolder* f = AddFolder(root, "f");
  TClip* inF = AddClip(*f, "x");
  TClip* outside = AddClip(root, "y");
  EXPECT_EQ(root.FindByID(root.ID()), &root);
  EXPECT_EQ(root.FindByID(inF->ID()), inF);
  EXPECT_EQ(f->FindByID(f->ID()), f);
  EXPECT_EQ(f->FindByID(outside->ID()), nullptr);
  EXPECT_EQ(root.FindByID(0), nullptr);
  const uint32_t gone = inF->ID();
  inF->Delete();
  EXPECT_EQ(root.FindByID(gone), nullptr);
}

TEST(ClipTree, DeletingAnItemFreesItsSubtreeAndLeavesTheRestLinked) {
  TClipFile root;
  root.SetName("r");
  AddClip(root, "a");
  TClipFolder* f = AddFolder(root, "f");
  AddClip(*AddFolder(*f, "g"), "deep");
  AddClip(root, "c");
  f->Delete();
  EXPECT_EQ(Snapshot(root), "r{a,c}");
  EXPECT_EQ(CheckLinks(root), "");
}

// Runs Work on a thread with a small stack, where recursion over a deep tree would overflow.
void OnSmallStack(void (*work)()) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  ASSERT_EQ(pthread_create(
                &thread, &attributes,
                [](void* argument) -> void* {
                  reinterpret_cast<void (*)()>(argument)();
                  return nullptr;
                },
                reinterpret_cast<void*>(work)),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

TEST(ClipTree, DeepTreesAreCopiedDeletedAndFreedWithoutRecursion) {
  OnSmallStack([] {
    constexpr int kDepth = 10000;
    auto root = std::make_unique<TClipFile>();
    TClipFolder* folder = root.get();
    for (int depth = 0; depth < kDepth; ++depth) {
      AddClip(*folder, "c");
      folder = AddFolder(*folder, "f");
    }
    EXPECT_EQ(root->ClipCount(), size_t{kDepth});
    TClipItem* deep = root->FirstChild()->NextSibling();
    std::unique_ptr<TClipItem> copy = deep->Clone();
    EXPECT_EQ(copy->AsFolder()->ClipCount(), size_t{kDepth - 1});
    EXPECT_NE(copy->AsFolder()->FindByID(folder->ID()), folder);
    copy.reset();
    EXPECT_EQ(root->FindByID(folder->ID()), folder);
    deep->Clone(deep, root.get());
    deep->Delete();
    EXPECT_EQ(root->ClipCount(), size_t{kDepth});
    root.reset();
  });
}

TEST(ClipTree, CloneCopiesAsPlainItemsWithNewIdsInOrder) {
  TClipFile source;
  source.SetName("r");
  TClipFolder* f = AddFolder(source, "f");
  TClip* clip = AddClip(*f, "a");
  clip->SetAbbreviation("ab");
  clip->SetIndent(true);
  clip->SetSelected(true);
  f->SetExpanded(true);
  AddFolder(*f, "g");
  AddClip(*f, "b");

  TClipFile target;
  target.SetName("t");
  const uint32_t next = PeekNextItemID();
  TClipItem* copy = f->Clone(nullptr, &target);
  EXPECT_EQ(Snapshot(target), "t{f{a,g{},b}}");
  EXPECT_EQ(copy->ID(), next);  // the folder first, then its children in chain order
  EXPECT_EQ(copy->AsFolder()->FirstChild()->ID(), next + 1);
  EXPECT_FALSE(copy->AsFolder()->Expanded());
  const TClip* clipCopy = copy->AsFolder()->FirstChild()->AsClip();
  EXPECT_EQ(clipCopy->Abbreviation(), "ab");
  EXPECT_TRUE(clipCopy->Indent());
  EXPECT_FALSE(clipCopy->Selected());
  EXPECT_EQ(typeid(*source.Clone()), typeid(TClipFolder));  // a root clones as a plain folder
  EXPECT_EQ(CheckLinks(target), "");
}

TEST(ClipTree, NewFolderAndNewClipNames) {
  EXPECT_EQ(TClipFolder().Name(), "New folder");
  EXPECT_EQ(TClipFolder("").Name(), "New folder");
  EXPECT_EQ(TClipFile().Name(), "New folder");
  EXPECT_EQ(TClip().GetCaption(), "New clip");
}

}  // namespace
}  // namespace velmora::model

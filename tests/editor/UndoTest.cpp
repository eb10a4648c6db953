// Tests of the undo manager and undo groups: merging and its ownership, caret moves after an undo, events,
// the busy flag, failing items, clearing, and the texts that name the steps.
#include "editor/UndoBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "editor/Undo.h"
#include "editor/UndoItem.h"
#include "editor/UndoItemGroup.h"
#include "editor/UndoText.h"

namespace velmora::editor {
namespace {

using namespace std::string_literals;

// --- Test items ---

// What happened to the logged items, in order ("undo a", "redo a", "~a"), and how many are alive.
struct TJournal {
  std::vector<std::string> Events;
  int Live = 0;

  // The events from Index on.
  std::vector<std::string> Since(size_t index) const {
    return {Events.begin() + static_cast<std::ptrdiff_t>(index), Events.end()};
  }
};

// What a logged item's Merge does with the newer item offered to it.
enum class TMergePolicy {
  Never,    // returns null
  Absorb,   // returns this and leaves the offered item for the caller to destroy
  Yield,    // returns the offered item, which replaces this one
  Replace,  // puts a new item named "<this>+<offered>" in the offered slot and returns it
};

// An item that records its calls and its destruction, and fails on demand.
class TLoggedItem : public TUndoItem {
 public:
  TLoggedItem(TJournal& journal, std::string name, TMergePolicy policy = TMergePolicy::Never,
              bool caretOnly = false)
      : FJournal(journal), FName(std::move(name)), FPolicy(policy), FCaretOnly(caretOnly) {
    ++FJournal.Live;
  }
  ~TLoggedItem() override {
    FJournal.Events.push_back("~" + FName);
    --FJournal.Live;
  }

  std::string GetCaption() const override { return FName; }
  std::string GetDescription() const override { return "doing " + FName; }
  bool IsCaretOnly() const override { return FCaretOnly; }

  TUndoItem* Merge(std::unique_ptr<TUndoItem>& offered) override {
    switch (FPolicy) {
      case TMergePolicy::Never:
        return nullptr;
      case TMergePolicy::Absorb:
        return this;
      case TMergePolicy::Yield:
        return offered.get();
      case TMergePolicy::Replace:
        offered = std::make_unique<TLoggedItem>(FJournal, FName + "+" + offered->GetCaption());
        return offered.get();
    }
    return nullptr;
  }

  void Redo() override { Run("redo", FFailRedo); }
  void Undo() override { Run("undo", FFailUndo); }

  void SetFailUndo(bool value) { FFailUndo = value; }
  void SetFailRedo(bool value) { FFailRedo = value; }
  // Undo and Redo also log whether this manager is busy.
  void Watch(const TUndoBase* manager) { FWatched = manager; }

 private:
  void Run(const std::string& what, bool fail) {
    std::string event = what + " " + FName;
    if (FWatched)
      event += FWatched->Busy() ? " (busy)" : " (idle)";
    FJournal.Events.push_back(event + (fail ? " failed" : ""));
    if (fail)
      throw std::runtime_error(what + " " + FName + " failed");
  }

  TJournal& FJournal;
  std::string FName;
  TMergePolicy FPolicy;
  bool FCaretOnly;
  bool FFailUndo = false;
  bool FFailRedo = false;
  const TUndoBase* FWatched = nullptr;
};

class TLoggedGroup : public TUndoItemGroup {
 public:
  TLoggedGroup(TJournal& journal, std::string name) : FJournal(journal), FName(std::move(name)) {}
  ~TLoggedGroup() override { FJournal.Events.push_back("~" + FName); }

  std::string GetCaption() const override { return FName; }
  std::string GetDescription() const override { return "doing " + FName; }

 private:
  TJournal& FJournal;
  std::string FName;
};

// A text with a caret, changed by typing items and caret moves the way an editor would.
struct TDoc {
  std::string Text;
  size_t Caret = 0;
};

// Typing Text at Pos; merges with a newer typing item that starts where this one ends.
class TTypingItem : public TUndoItem {
 public:
  TTypingItem(TDoc& doc, size_t pos, std::string text) : FDoc(doc), FPos(pos), FText(std::move(text)) {}

  std::string GetCaption() const override { return "typing"; }
  std::string GetDescription() const override { return Format("typing \"%s\"", ShortenUndoText(FText)); }

  TUndoItem* Merge(std::unique_ptr<TUndoItem>& offered) override {
    auto* newer = dynamic_cast<TTypingItem*>(offered.get());
    if (newer == nullptr || &newer->FDoc != &FDoc || newer->FPos != FPos + FText.size())
      return nullptr;
    FText += newer->FText;
    return this;
  }

  void Redo() override {
    FDoc.Text.insert(FPos, FText);
    FDoc.Caret = FPos + FText.size();
  }
  void Undo() override {
    FDoc.Text.erase(FPos, FText.size());
    FDoc.Caret = FPos;
  }

 private:
  TDoc& FDoc;
  size_t FPos;
  std::string FText;
};

// A caret-only move From -> To; a newer move takes this one's From and stands for both.
class TCaretMove : public TUndoItem {
 public:
  TCaretMove(TDoc& doc, size_t from, size_t to) : FDoc(doc), FFrom(from), FTo(to) {}

  std::string GetCaption() const override { return "cursor move"; }
  std::string GetDescription() const override { return "movement of the text cursor"; }
  bool IsCaretOnly() const override { return true; }

  TUndoItem* Merge(std::unique_ptr<TUndoItem>& offered) override {
    auto* newer = dynamic_cast<TCaretMove*>(offered.get());
    if (newer == nullptr || &newer->FDoc != &FDoc)
      return nullptr;
    newer->FFrom = FFrom;
    return newer;
  }

  void Redo() override { FDoc.Caret = FTo; }
  void Undo() override { FDoc.Caret = FFrom; }

 private:
  TDoc& FDoc;
  size_t FFrom;
  size_t FTo;
};

// Types Text at the caret, one item per character, as an editor records keystrokes.
void Type(TUndoBase& undo, TDoc& doc, const std::string& text) {
  for (const char c : text) {
    auto item = std::make_unique<TTypingItem>(doc, doc.Caret, std::string(1, c));
    item->Redo();
    undo.Add(std::move(item));
  }
}

void MoveCaret(TUndoBase& undo, TDoc& doc, size_t to) {
  undo.Add(std::make_unique<TCaretMove>(doc, doc.Caret, to));
  doc.Caret = to;
}

std::vector<std::string> UndoCaptions(const TUndoBase& undo) {
  std::vector<std::string> captions;
  for (size_t i = 0; i < undo.UndoCount(); ++i)
    captions.push_back(undo.UndoItem(i)->GetCaption());
  return captions;
}

std::vector<std::string> RedoCaptions(const TUndoBase& undo) {
  std::vector<std::string> captions;
  for (size_t i = 0; i < undo.RedoCount(); ++i)
    captions.push_back(undo.RedoItem(i)->GetCaption());
  return captions;
}

std::vector<std::string> GroupCaptions(const TUndoItemGroup& group) {
  std::vector<std::string> captions;
  for (size_t i = 0; i < group.Count(); ++i)
    captions.push_back(group.Items(i)->GetCaption());
  return captions;
}

// The journal is declared first so that it outlives the manager and its items.
class UndoManager : public ::testing::Test {
 protected:
  TLoggedItem* Add(std::string name, TMergePolicy policy = TMergePolicy::Never, bool caretOnly = false) {
    auto item = std::make_unique<TLoggedItem>(Journal, std::move(name), policy, caretOnly);
    TLoggedItem* raw = item.get();
    Manager.Add(std::move(item));
    return raw;
  }

  TJournal Journal;
  TUndo Manager;
};

// --- Merging ---

TEST(UndoMerge, TypingAdjacentCharactersBecomesOneStepNamedAfterAllOfThem) {
  TDoc doc;
  TUndo undo;
  auto first = std::make_unique<TTypingItem>(doc, 0, "a");
  TUndoItem* const firstItem = first.get();
  first->Redo();
  EXPECT_EQ(undo.Add(std::move(first)), firstItem);
  Type(undo, doc, "bc");
  EXPECT_EQ(doc.Text, "abc");
  ASSERT_EQ(undo.UndoCount(), 1u);
  EXPECT_EQ(undo.UndoItem(0), firstItem);  // the later keystrokes were absorbed into the first
  EXPECT_EQ(undo.UndoItem(0)->GetDescription(), "typing \"abc\"");

  undo.Undo();  // all three characters go in one step
  EXPECT_EQ(doc.Text, "");
  undo.Redo();
  EXPECT_EQ(doc.Text, "abc");

  // Typing elsewhere starts a new step.
  doc.Caret = 0;
  Type(undo, doc, "x");
  EXPECT_EQ(doc.Text, "xabc");
  EXPECT_EQ(undo.UndoCount(), 2u);
}

struct TOwnershipCase {
  const char* Name;
  TMergePolicy Policy;  // of the older item
  std::vector<std::string> ExpectedItems;
  std::vector<std::string> ExpectedDestroyed;  // right after adding the newer item
};

// The same rules hold whether the older item is the top of the undo stack or the last child of an open
// group; every case ends with no item alive once the manager is gone.
TEST(UndoMerge, OwnershipFollowsWhatMergeReturns) {
  const std::vector<TOwnershipCase> cases = {
      {"not combined: the newer item is pushed", TMergePolicy::Never, {"old", "new"}, {}},
      {"absorbed: the newer item is destroyed", TMergePolicy::Absorb, {"old"}, {"~new"}},
      {"yielded: the older item is replaced and destroyed", TMergePolicy::Yield, {"new"}, {"~old"}},
      {"replaced by a new item: both are destroyed", TMergePolicy::Replace, {"old+new"}, {"~new", "~old"}},
  };
  for (const TOwnershipCase& c : cases) {
    for (const bool inGroup : {false, true}) {
      SCOPED_TRACE(std::string(c.Name) + (inGroup ? ", inside an open group" : ", on the undo stack"));
      TJournal journal;
      {
        TUndo undo;
        TLoggedGroup* group = nullptr;
        if (inGroup) {
          auto owned = std::make_unique<TLoggedGroup>(journal, "group");
          group = owned.get();
          undo.Add(std::move(owned));
        }
        undo.Add(std::make_unique<TLoggedItem>(journal, "old", c.Policy));
        const size_t mark = journal.Events.size();
        TUndoItem* const top = undo.Add(std::make_unique<TLoggedItem>(journal, "new"));

        EXPECT_EQ(journal.Since(mark), c.ExpectedDestroyed);
        EXPECT_EQ(top, undo.UndoItem(undo.UndoCount() - 1));
        if (inGroup) {
          EXPECT_EQ(top, group);
          EXPECT_EQ(UndoCaptions(undo), std::vector<std::string>{"group"});
          EXPECT_EQ(GroupCaptions(*group), c.ExpectedItems);
        } else {
          EXPECT_EQ(UndoCaptions(undo), c.ExpectedItems);
        }
      }
      EXPECT_EQ(journal.Live, 0);
    }
  }
}

TEST_F(UndoManager, AddingNoItemChangesNothingAndReturnsTheTop) {
  TLoggedItem* const a = Add("a");
  EXPECT_EQ(Manager.Add(nullptr), a);
  EXPECT_EQ(Manager.UndoCount(), 1u);
  TUndo empty;
  EXPECT_EQ(empty.Add(nullptr), nullptr);
}

// --- Groups ---

TEST_F(UndoManager, AnOpenGroupAbsorbsEverythingUntilClosedAndUndoesNewestFirst) {
  auto owned = std::make_unique<TLoggedGroup>(Journal, "group");
  TLoggedGroup* const group = owned.get();
  EXPECT_EQ(Manager.Add(std::move(owned)), group);
  for (const char* name : {"a", "b", "c"})
    EXPECT_EQ(Manager.Add(std::make_unique<TLoggedItem>(Journal, name)), group);
  EXPECT_EQ(Manager.UndoCount(), 1u);
  EXPECT_EQ(GroupCaptions(*group), (std::vector<std::string>{"a", "b", "c"}));

  group->Close();
  Add("d");  // a closed group combines nothing
  EXPECT_EQ(UndoCaptions(Manager), (std::vector<std::string>{"group", "d"}));
  EXPECT_EQ(GroupCaptions(*group), (std::vector<std::string>{"a", "b", "c"}));

  Manager.Undo();
  size_t mark = Journal.Events.size();
  Manager.Undo();
  EXPECT_EQ(Journal.Since(mark), (std::vector<std::string>{"undo c", "undo b", "undo a"}));
  mark = Journal.Events.size();
  Manager.Redo();
  EXPECT_EQ(Journal.Since(mark), (std::vector<std::string>{"redo a", "redo b", "redo c"}));
}

TEST_F(UndoManager, AnOpenGroupInsideAnOpenGroupTakesTheItemsUntilItIsClosed) {
  auto outerOwned = std::make_unique<TLoggedGroup>(Journal, "outer");
  TLoggedGroup* const outer = outerOwned.get();
  Manager.Add(std::move(outerOwned));
  Add("a");
  auto innerOwned = std::make_unique<TLoggedGroup>(Journal, "inner");
  TLoggedGroup* const inner = innerOwned.get();
  Manager.Add(std::move(innerOwned));
  Add("b");
  inner->Close();
  Add("c");
  EXPECT_EQ(UndoCaptions(Manager), std::vector<std::string>{"outer"});
  EXPECT_EQ(GroupCaptions(*outer), (std::vector<std::string>{"a", "inner", "c"}));
  EXPECT_EQ(GroupCaptions(*inner), std::vector<std::string>{"b"});
}

struct TGroupFailureCase {
  const char* Name;
  bool FailUndo;  // else the redo of "b" fails
  std::vector<std::string> ExpectedEvents;
};

// Without the rollback a failed group would stay on its stack half done, and retrying it would revert the
// children that had already been reverted a second time.
TEST_F(UndoManager, AFailingChildLeavesItsGroupWhollyDoneOrWhollyUndone) {
  const std::vector<TGroupFailureCase> cases = {
      {"undo", true, {"undo c", "undo b failed", "redo c"}},
      {"redo", false, {"redo a", "redo b failed", "undo a"}},
  };
  for (const TGroupFailureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJournal journal;
    TUndo undo;
    undo.Add(std::make_unique<TLoggedGroup>(journal, "group"));
    auto b = std::make_unique<TLoggedItem>(journal, "b");
    TLoggedItem* const failing = b.get();
    undo.Add(std::make_unique<TLoggedItem>(journal, "a"));
    undo.Add(std::move(b));
    undo.Add(std::make_unique<TLoggedItem>(journal, "c"));
    if (!c.FailUndo)
      undo.Undo();
    failing->SetFailUndo(c.FailUndo);
    failing->SetFailRedo(!c.FailUndo);

    const size_t mark = journal.Events.size();
    if (c.FailUndo)
      EXPECT_THROW(undo.Undo(), std::runtime_error);
    else
      EXPECT_THROW(undo.Redo(), std::runtime_error);
    EXPECT_EQ(journal.Since(mark), c.ExpectedEvents);
    // The group is back on the stack it came from.
    EXPECT_EQ(undo.UndoCount(), c.FailUndo ? 1u : 0u);
    EXPECT_EQ(undo.RedoCount(), c.FailUndo ? 0u : 1u);

    failing->SetFailUndo(false);
    failing->SetFailRedo(false);
    if (c.FailUndo)
      undo.Undo();
    else
      undo.Redo();
    EXPECT_EQ(undo.UndoCount(), c.FailUndo ? 0u : 1u);
  }
}

// --- Caret moves after an undo ---

TEST(UndoCaretMoves, TheFirstCaretMoveAfterAnUndoIsMarkedAndNeverMergedIntoAnEarlierOne) {
  TDoc doc;
  TUndo undo;
  Type(undo, doc, "xyz");
  MoveCaret(undo, doc, 1);
  Type(undo, doc, "Q");  // "xQyz"
  undo.Undo();           // "xyz", caret 1
  ASSERT_EQ(UndoCaptions(undo), (std::vector<std::string>{"typing", "cursor move"}));

  MoveCaret(undo, doc, 2);  // would merge into the earlier move but must stand alone
  EXPECT_EQ(UndoCaptions(undo), (std::vector<std::string>{"typing", "cursor move", "cursor move"}));
  EXPECT_EQ(undo.FirstCaretItem(), 2);
  MoveCaret(undo, doc, 3);  // later moves merge into the marked one
  EXPECT_EQ(undo.UndoCount(), 3u);
  EXPECT_EQ(undo.FirstCaretItem(), 2);
  EXPECT_EQ(undo.RedoCount(), 1u);

  undo.Redo();  // caret back to 1 first, then "Q" is typed there again
  EXPECT_EQ(doc.Text, "xQyz");
  EXPECT_EQ(doc.Caret, 2u);
  EXPECT_EQ(UndoCaptions(undo), (std::vector<std::string>{"typing", "cursor move", "typing"}));
  EXPECT_EQ(undo.FirstCaretItem(), kNoCaretItem);
  EXPECT_EQ(undo.RedoCount(), 0u);
}

enum class TNextAction { Redo, Type, Undo };

struct TAfterUndoCase {
  const char* Name;
  bool UndoEverything;
  TNextAction Next;
  std::ptrdiff_t ExpectedFirstCaretItem;  // after the caret move
  std::string ExpectedText;
  size_t ExpectedCaret;
  std::vector<std::string> ExpectedUndo;
  size_t ExpectedRedoCount;
};

// History: "hello" loaded, "ab" typed at its end, caret moved to 0, "X" typed there: "Xhelloab". Then one
// or all steps are undone and the caret is moved to 3 before the next action.
TEST(UndoCaretMoves, CaretMovesAfterAnUndoKeepTheRedoStackUntilTheDataChanges) {
  const std::vector<std::string> all = {"typing", "cursor move", "typing"};
  const std::vector<TAfterUndoCase> cases = {
      {"one undone, redo reverts the move first", false, TNextAction::Redo, 2, "Xhelloab", 1, all, 0},
      {"one undone, typing clears the redo stack",
       false,
       TNextAction::Type,
       2,
       "helZloab",
       4,
       {"typing", "cursor move", "cursor move", "typing"},
       0},
      {"one undone, undo discards the move",
       false,
       TNextAction::Undo,
       2,
       "helloab",
       0,
       {"typing", "cursor move"},
       1},
      {"all undone, redo reverts the move first", true, TNextAction::Redo, 0, "helloab", 7, {"typing"}, 2},
      {"all undone, typing clears the redo stack",
       true,
       TNextAction::Type,
       0,
       "helZlo",
       4,
       {"cursor move", "typing"},
       0},
      {"all undone, undo discards the move", true, TNextAction::Undo, 0, "hello", 5, {}, 3},
  };
  for (const TAfterUndoCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDoc doc{"hello", 5};
    TUndo undo;
    Type(undo, doc, "ab");
    MoveCaret(undo, doc, 0);
    Type(undo, doc, "X");
    ASSERT_EQ(doc.Text, "Xhelloab");
    const size_t undone = c.UndoEverything ? 3 : 1;
    for (size_t i = 0; i < undone; ++i)
      undo.Undo();

    MoveCaret(undo, doc, 3);
    EXPECT_EQ(undo.RedoCount(), undone);
    EXPECT_EQ(undo.FirstCaretItem(), c.ExpectedFirstCaretItem);

    switch (c.Next) {
      case TNextAction::Redo:
        undo.Redo();
        break;
      case TNextAction::Type:
        Type(undo, doc, "Z");
        break;
      case TNextAction::Undo:
        undo.Undo();
        break;
    }
    EXPECT_EQ(doc.Text, c.ExpectedText);
    EXPECT_EQ(doc.Caret, c.ExpectedCaret);
    EXPECT_EQ(UndoCaptions(undo), c.ExpectedUndo);
    EXPECT_EQ(undo.RedoCount(), c.ExpectedRedoCount);
    EXPECT_EQ(undo.FirstCaretItem(), kNoCaretItem);
  }
}

// ClearUndo once kept FirstCaretItem pointing into the emptied stack: caret moves made after it were then
// marked too late, and a redo left the earlier ones in place.
TEST_F(UndoManager, ClearUndoForgetsWhereTheCaretMovesAfterAnUndoBegan) {
  Add("a");
  Add("b");
  Manager.Undo();
  Add("c", TMergePolicy::Never, true);
  ASSERT_EQ(Manager.FirstCaretItem(), 1);
  Manager.ClearUndo();
  EXPECT_EQ(Manager.FirstCaretItem(), kNoCaretItem);

  Add("d", TMergePolicy::Never, true);
  Add("e", TMergePolicy::Never, true);
  EXPECT_EQ(Manager.FirstCaretItem(), 0);
  const size_t mark = Journal.Events.size();
  Manager.Redo();
  EXPECT_EQ(Journal.Since(mark), (std::vector<std::string>{"undo e", "~e", "undo d", "~d", "redo b"}));
  EXPECT_EQ(UndoCaptions(Manager), std::vector<std::string>{"b"});
}

// --- Events and the busy flag ---

TEST_F(UndoManager, HandlersRunAfterEachStepWhileBusyAndADiscardedCaretMoveOutlivesItsHandler) {
  auto log = [this](const char* what) {
    return [this, what](TUndoBase& sender, TUndoItem& item) {
      EXPECT_EQ(&sender, &Manager);
      Journal.Events.push_back(std::string(what) + " " + item.GetCaption() +
                               (sender.Busy() ? " (busy)" : ""));
    };
  };
  Manager.SetOnUndo(log("on undo"));
  Manager.SetOnRedo(log("on redo"));
  Add("a");
  Add("b")->Watch(&Manager);
  Manager.Undo();
  Add("caret", TMergePolicy::Never, true)->Watch(&Manager);
  size_t mark = Journal.Events.size();
  Manager.Redo();
  EXPECT_EQ(Journal.Since(mark), (std::vector<std::string>{"undo caret (busy)", "on undo caret (busy)",
                                                           "~caret", "redo b (busy)", "on redo b (busy)"}));
  EXPECT_FALSE(Manager.Busy());

  mark = Journal.Events.size();
  Manager.Undo();
  EXPECT_EQ(Journal.Since(mark), (std::vector<std::string>{"undo b (busy)", "on undo b (busy)"}));
  EXPECT_FALSE(Manager.Busy());
}

// --- Failures ---

struct TFailureCase {
  const char* Name;
  bool FailUndo;  // else "a" fails to redo after both steps were undone
  std::vector<std::string> ExpectedUndo;
  std::vector<std::string> ExpectedRedo;
};

TEST_F(UndoManager, AFailingStepStaysWhereItWasAndTheErrorPropagates) {
  const std::vector<TFailureCase> cases = {
      {"undo of the top step", true, {"a", "b"}, {}},
      {"redo of the top step", false, {}, {"b", "a"}},
  };
  for (const TFailureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Manager.Clear();
    int events = 0;
    Manager.SetOnUndo([&events](TUndoBase&, TUndoItem&) { ++events; });
    Manager.SetOnRedo([&events](TUndoBase&, TUndoItem&) { ++events; });
    TLoggedItem* const a = Add("a");
    TLoggedItem* const b = Add("b");
    if (!c.FailUndo) {
      Manager.Undo();
      Manager.Undo();
    }
    events = 0;
    (c.FailUndo ? b : a)->SetFailUndo(c.FailUndo);
    (c.FailUndo ? b : a)->SetFailRedo(!c.FailUndo);

    if (c.FailUndo)
      EXPECT_THROW(Manager.Undo(), std::runtime_error);
    else
      EXPECT_THROW(Manager.Redo(), std::runtime_error);
    EXPECT_FALSE(Manager.Busy());
    EXPECT_EQ(events, 0);
    EXPECT_EQ(UndoCaptions(Manager), c.ExpectedUndo);
    EXPECT_EQ(RedoCaptions(Manager), c.ExpectedRedo);

    // Once the cause is gone the same step goes through.
    a->SetFailRedo(false);
    b->SetFailUndo(false);
    if (c.FailUndo)
      Manager.Undo();
    else
      Manager.Redo();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(UndoCaptions(Manager), std::vector<std::string>{"a"});
  }
}

TEST_F(UndoManager, AFailingHandlerLeavesTheStepDoneAndClearsBusy) {
  Manager.SetOnUndo([](TUndoBase&, TUndoItem&) { throw std::runtime_error("handler"); });
  Add("a");
  EXPECT_THROW(Manager.Undo(), std::runtime_error);
  EXPECT_FALSE(Manager.Busy());
  EXPECT_EQ(Manager.UndoCount(), 0u);
  EXPECT_EQ(RedoCaptions(Manager), std::vector<std::string>{"a"});
}

TEST_F(UndoManager, UndoAndRedoOnAnEmptyStackDoNothing) {
  int events = 0;
  Manager.SetOnUndo([&events](TUndoBase&, TUndoItem&) { ++events; });
  Manager.SetOnRedo([&events](TUndoBase&, TUndoItem&) { ++events; });
  Manager.Undo();
  Manager.Redo();
  EXPECT_EQ(events, 0);
  EXPECT_FALSE(Manager.Busy());
}

// --- Clearing ---

enum class TClearKind { Redo, Undo, Both, Destruction };

struct TClearCase {
  const char* Name;
  TClearKind Kind;
  std::vector<std::string> ExpectedDestroyed;
  size_t ExpectedUndoCount;
  size_t ExpectedRedoCount;
};

// Before clearing: undo stack a, b, caret (a caret move after an undo), redo stack c.
TEST(UndoClear, ClearingDestroysTheItemsOfTheStacksItNames) {
  const std::vector<TClearCase> cases = {
      {"ClearRedo", TClearKind::Redo, {"~c"}, 3, 0},
      {"ClearUndo", TClearKind::Undo, {"~a", "~b", "~caret"}, 0, 1},
      {"Clear", TClearKind::Both, {"~c", "~a", "~b", "~caret"}, 0, 0},
      {"destroying the manager", TClearKind::Destruction, {"~c", "~a", "~b", "~caret"}, 0, 0},
  };
  for (const TClearCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJournal journal;
    auto undo = std::make_unique<TUndo>();
    for (const char* name : {"a", "b", "c"})
      undo->Add(std::make_unique<TLoggedItem>(journal, name));
    undo->Undo();
    undo->Add(std::make_unique<TLoggedItem>(journal, "caret", TMergePolicy::Never, true));
    ASSERT_EQ(undo->FirstCaretItem(), 2);
    const size_t mark = journal.Events.size();
    switch (c.Kind) {
      case TClearKind::Redo:
        undo->ClearRedo();
        break;
      case TClearKind::Undo:
        undo->ClearUndo();
        break;
      case TClearKind::Both:
        undo->Clear();
        break;
      case TClearKind::Destruction:
        undo.reset();
        break;
    }
    EXPECT_EQ(journal.Since(mark), c.ExpectedDestroyed);
    if (undo) {
      EXPECT_EQ(undo->UndoCount(), c.ExpectedUndoCount);
      EXPECT_EQ(undo->RedoCount(), c.ExpectedRedoCount);
      EXPECT_EQ(undo->FirstCaretItem(), kNoCaretItem);
    }
  }
}

// --- Texts ---

TEST(UndoTexts, DefaultsNameTheStepsInPlainEnglish) {
  const TUndo undo;
  const std::vector<std::pair<std::string, std::string>> texts = {
      {undo.HintNoUndo(), "At the moment there is nothing that can be undone"},
      {undo.HintNoRedo(), "At the moment there are no undone actions that can be redone"},
      {undo.Nothing(), "<nothing>"},
      {undo.UndoCaption(), "&Undo %s"},
      {undo.RedoCaption(), "&Redo %s"},
      {undo.UndoHint(), "Undo %s"},
      {undo.RedoHint(), "Redo %s"},
      {undo.UndoLongCaption(), "Undo %s"},
      {undo.RedoLongCaption(), "Redo %s"},
  };
  for (const auto& [actual, expected] : texts)
    EXPECT_EQ(actual, expected);
}

struct TTextCase {
  const char* Name;
  std::string Input;
  std::string Expected;
};

TEST(UndoTexts, ShortenUndoTextCutsAfterFiftyCharactersAndDropsControlCharacters) {
  const std::string fifty(50, 'x');
  std::string e50;  // fifty times U+00E9, two bytes each
  for (int i = 0; i < 50; ++i)
    e50 += "\xc3\xa9";
  const std::vector<TTextCase> cases = {
      {"empty", "", ""},
      {"short text unchanged", "abc", "abc"},
      {"exactly fifty characters unchanged", fifty, fifty},
      {"fifty-one characters cut", fifty + "y", fifty + "..."},
      {"sixty characters cut to fifty", fifty + std::string(10, 'y'), fifty + "..."},
      {"line breaks and tabs removed", "one\r\ntwo\tthree", "onetwothree"},
      {"NUL and other control bytes removed, DEL kept",
       "a\0b\x1f"
       "c\x7f"s,
       "abc\x7f"},
      {"multi-byte characters count once", e50, e50},
      {"the cut never splits a sequence", e50 + "\xc3\xa9", e50 + "..."},
      {"a four-byte character after the fiftieth is cut", fifty + "\xf0\x9f\x98\x80", fifty + "..."},
      {"an invalid byte is one character", std::string(49, 'x') + "\xff" + "yz",
       std::string(49, 'x') + "\xff..."},
      {"a cut-short sequence is one character per byte", std::string(49, 'x') + "\xe2\x82z",
       std::string(49, 'x') + "\xe2..."},
      // Control characters are counted before they are removed.
      {"control characters count towards the fifty", std::string(49, 'x') + "\n\nz",
       std::string(49, 'x') + "..."},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ShortenUndoText(c.Input), c.Expected);
  }
}

struct TFormatCase {
  const char* Name;
  std::string Pattern;
  std::string Argument;
  std::string Expected;
};

TEST(UndoTexts, FormatFillsEveryPlaceholderOnce) {
  const std::vector<TFormatCase> cases = {
      {"placeholder in the middle", "&Undo %s now", "typing", "&Undo typing now"},
      {"no placeholder", "Undo", "typing", "Undo"},
      {"every placeholder", "%s and %s", "x", "x and x"},
      {"a placeholder inside the argument stays", "Undo %s", "typing \"%s\"", "Undo typing \"%s\""},
      {"doubled percent", "100%% %s", "done", "100% done"},
      {"other percent signs stay", "%d %", "x", "%d %"},
  };
  for (const TFormatCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Format(c.Pattern, c.Argument), c.Expected);
  }
}

}  // namespace
}  // namespace velmora::editor

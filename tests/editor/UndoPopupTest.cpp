// Tests of the entries of the undo and redo popup menus and of undoing or redoing down to a chosen entry.
#include "editor/Undo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmora::editor {
namespace {

// An item that only has a name; undoing and redoing it changes nothing.
class TNamedItem : public TUndoItem {
 public:
  explicit TNamedItem(std::string name) : FName(std::move(name)) {}

  std::string GetCaption() const override { return FName; }
  std::string GetDescription() const override { return "doing " + FName; }
  void Redo() override {}
  void Undo() override {}

 private:
  std::string FName;
};

// Steps "s0" (oldest) to "s<count-1>".
void AddSteps(TUndo& undo, size_t count) {
  for (size_t i = 0; i < count; ++i)
    undo.Add(std::make_unique<TNamedItem>("s" + std::to_string(i)));
}

TEST(UndoPopup, AnEmptyStackShowsOneDisabledEntrySayingNothingCanBeDone) {
  TUndo undo;
  EXPECT_EQ(
      undo.UndoPopupEntries(),
      (std::vector<TUndoPopupEntry>{
          {"&Undo <nothing>", "At the moment there is nothing that can be undone", false, kNoPopupTag}}));
  EXPECT_EQ(undo.RedoPopupEntries(),
            (std::vector<TUndoPopupEntry>{{"&Redo <nothing>",
                                           "At the moment there are no undone actions that can be redone",
                                           false, kNoPopupTag}}));

  // Translated texts are used as set.
  undo.SetNothing("<nichts>");
  undo.SetUndoCaption("&Rückgängig: %s");
  undo.SetHintNoUndo("Nichts rückgängig zu machen");
  EXPECT_EQ(undo.UndoPopupEntries(),
            (std::vector<TUndoPopupEntry>{
                {"&Rückgängig: <nichts>", "Nichts rückgängig zu machen", false, kNoPopupTag}}));

  // Choosing the disabled entry's tag must not undo anything.
  AddSteps(undo, 2);
  undo.UndoTo(kNoPopupTag);
  undo.RedoTo(kNoPopupTag);
  EXPECT_EQ(undo.UndoCount(), 2u);
}

TEST(UndoPopup, ListsAtMostSixteenStepsNewestFirstTaggedWithTheirStackIndex) {
  for (const size_t count : {1u, 15u, 16u, 17u, 40u}) {
    SCOPED_TRACE("steps: " + std::to_string(count));
    TUndo undo;
    AddSteps(undo, count);
    const size_t shown = count < 16 ? count : 16;

    std::vector<TUndoPopupEntry> expected;
    for (size_t i = 0; i < shown; ++i) {
      const size_t index = count - 1 - i;
      const std::string text = "Undo doing s" + std::to_string(index);
      expected.push_back({text, text, true, static_cast<std::ptrdiff_t>(index)});
    }
    EXPECT_EQ(undo.UndoPopupEntries(), expected);

    // Undone, the oldest step is redone last, so the redo stack lists it first.
    undo.UndoTo(0);
    expected.clear();
    for (size_t i = 0; i < shown; ++i) {
      const std::string text = "Redo doing s" + std::to_string(i);
      expected.push_back({text, text, true, static_cast<std::ptrdiff_t>(count - 1 - i)});
    }
    EXPECT_EQ(undo.RedoPopupEntries(), expected);
  }
}

TEST(UndoPopup, ChoosingAnEntryUndoesOrRedoesThatStepAndEveryNewerOne) {
  TUndo undo;
  AddSteps(undo, 5);
  std::vector<std::string> undone;
  undo.SetOnUndo([&undone](TUndoBase&, TUndoItem& item) { undone.push_back(item.GetCaption()); });

  const std::vector<TUndoPopupEntry> undoEntries = undo.UndoPopupEntries();
  undo.UndoTo(undoEntries[2].Tag);  // the third newest: s2
  EXPECT_EQ(undone, (std::vector<std::string>{"s4", "s3", "s2"}));
  EXPECT_EQ(undo.UndoCount(), 2u);
  EXPECT_EQ(undo.RedoCount(), 3u);

  std::vector<std::string> redone;
  undo.SetOnRedo([&redone](TUndoBase&, TUndoItem& item) { redone.push_back(item.GetCaption()); });
  const std::vector<TUndoPopupEntry> redoEntries = undo.RedoPopupEntries();
  ASSERT_EQ(redoEntries.size(), 3u);
  undo.RedoTo(redoEntries[1].Tag);  // the second step to redo: s3
  EXPECT_EQ(redone, (std::vector<std::string>{"s2", "s3"}));
  EXPECT_EQ(undo.UndoCount(), 4u);
  EXPECT_EQ(undo.RedoCount(), 1u);
}

}  // namespace
}  // namespace velmora::editor

// The owner side of a data object: the notifications an editor receives when its text changes.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora::editor {

class TQvEditorData;

// An editor never holds text itself: it edits a TQvEditorData that someone else created and destroys, and
// keeps its line index, caret and display in step through the calls below. A data object has at most one
// owner; the link is made and broken only through SetData, and whichever side is destroyed first unlinks
// itself, so neither keeps a dangling pointer.
class TQvEditor {
 public:
  TQvEditor() = default;
  virtual ~TQvEditor();
  // The link to the data is a pointer pair kept in step by both sides; a copy would break it.
  TQvEditor(const TQvEditor&) = delete;
  TQvEditor& operator=(const TQvEditor&) = delete;

  TQvEditorData* Data() const { return FData; }

  // Attaches Data (or nothing): Data's owner becomes this editor, the data edited before (when different)
  // is left without owner, and an editor that owned Data until now loses it. Ends with DataReset, also
  // when Data is null or the same as before.
  void SetData(TQvEditorData* data);

  // May the editor refresh after an outside change of its data; yes unless an editor says otherwise.
  virtual bool QueryRefresh() { return true; }
  // After every insert or delete, once the data's Modified flag is set.
  virtual void DataChanged() = 0;
  // The whole content was replaced (new text, load, clear); nothing else is sent for it.
  virtual void DataReset() = 0;
  // Count bytes starting at Position were removed; DeletedText holds them, valid during the call only.
  virtual void DataDeleted(int32_t position, int32_t count, std::string_view deletedText) = 0;
  // InsertedText now starts at Position; the view is valid during the call only.
  virtual void DataInserted(int32_t position, std::string_view insertedText) = 0;

 private:
  friend class TQvEditorData;

  TQvEditorData* FData = nullptr;  // not owned; its Owner() is this editor whenever it is set
};

}  // namespace velmora::editor

// The data for large texts and files.
#pragma once

#include "editor/QvEditorData.h"

namespace velmora::editor {

// Data whose gap grows in 64 KiB steps, for texts of many megabytes; the base of TQvEditorFile.
class TQvEditorDataBuffered : public TQvEditorData {
 public:
  TQvEditorDataBuffered();

  // Removes the whole content, clears Modified and sends DataReset.
  void Clear();
};

}  // namespace velmora::editor

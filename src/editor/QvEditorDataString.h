// The data of the editor controls and of the text commands' scratch buffers: a clip-sized text.
#pragma once

#include <string>
#include <string_view>

#include "editor/QvEditorData.h"

namespace velmora::editor {

// A text set and read as a whole, and edited in place in between.
class TQvEditorDataString : public TQvEditorData {
 public:
  TQvEditorDataString();

  // A copy of the whole text.
  std::string Text() const { return std::string(ContiguousView()); }
  // When S differs from the current text, it becomes the content, Modified is cleared and the owner gets
  // DataReset. An equal text changes nothing and sends nothing, so Modified stays as it was. A text of
  // 2 GiB or more is refused with EVelmoraError.
  void SetText(std::string_view s);
};

}  // namespace velmora::editor

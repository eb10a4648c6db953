// Setting the whole text of a string data object.
#include "editor/QvEditorDataString.h"

namespace velmora::editor {

namespace {

// Clip texts are small: the gap grows from a few dozen bytes.
constexpr size_t kStringGrowStep = 64;

}  // namespace

TQvEditorDataString::TQvEditorDataString() : TQvEditorData(kStringGrowStep) {}

void TQvEditorDataString::SetText(std::string_view s) {
  if (s == ContiguousView())
    return;
  ReplaceContent(std::string(s));
}

}  // namespace velmora::editor

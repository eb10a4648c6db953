// The buffered data object.
#include "editor/QvEditorDataBuffered.h"

#include <string>

namespace velmora::editor {

namespace {

// Large texts: the least growth of the gap is one 64 KiB block.
constexpr size_t kBufferedGrowStep = 65536;

}  // namespace

TQvEditorDataBuffered::TQvEditorDataBuffered() : TQvEditorData(kBufferedGrowStep) {}

void TQvEditorDataBuffered::Clear() {
  ReplaceContent(std::string());
}

}  // namespace velmora::editor

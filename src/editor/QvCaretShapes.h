// The steady painted carets: a bar at the cell's left edge and a block filling the cell.
#pragma once

#include "editor/QvCaretPainted.h"

namespace velmora::editor {

// A steady bar, Width pixels wide (2 by default), centred on the cell's left edge, in Color (black).
class TQvCaretBar final : public TQvCaretPainted {
 public:
  TQvCaretBar() : TQvCaretPainted(TCaretShape::Bar) {}

  using TQvCaretPainted::SetWidth;
  using TQvCaretPainted::Width;
};

// A steady block covering the whole cell, in Color (black).
class TQvCaretSquare final : public TQvCaretPainted {
 public:
  TQvCaretSquare() : TQvCaretPainted(TCaretShape::Block) {}
};

}  // namespace velmora::editor

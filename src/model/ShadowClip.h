// A clip of the All Collections view: a copy of a real clip that writes edits back to it and deletes it
// when deleted itself.
#pragma once

#include "model/Clip.h"

namespace velmora::model {

class TShadowClip : public TClip {
 public:
  explicit TShadowClip(TClip& realClip);

  TClip& RealClip() const { return *FRealClip; }
  // Writes the fields back to the real clip and marks its collection.
  void Changed() override;

 protected:
  void OnDelete() override;

 private:
  TClip* FRealClip;  // not owned; lives as long as the view, which is rebuilt on every showing
};

}  // namespace velmora::model

#include "model/ShadowClip.h"

#include "model/ClipFile.h"

namespace velmora::model {

TShadowClip::TShadowClip(TClip& realClip) : FRealClip(&realClip) {
  // The view is sorted by caption: keep the key on the real clip, where the next view finds it.
  realClip.CaptionSortKey();
  Assign(realClip);
}
void TShadowClip::Changed() {
  FRealClip->Assign(*this);
  MarkCollectionOf(*FRealClip);
}

void TShadowClip::OnDelete() {
  MarkCollectionOf(*FRealClip);
  FRealClip->Delete();
}

}  // namespace velmora::model

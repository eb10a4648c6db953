#include "model/ShadowClip.h"

#include "model/ClipFile.h"

namespace velmora::model {

TShadowClip::TShadowClip(TClip& realClip) : FRealClip(&realClip) {
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

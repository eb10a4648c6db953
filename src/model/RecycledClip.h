// A clip in the Recycle Bin, with the day it was deleted.
#pragma once

#include <cstdint>

#include "model/Clip.h"

namespace velmora::model {

class TRecycledClip : public TClip {
 public:
  TRecycledClip() = default;

  TNodeKind NodeKind() const override { return TNodeKind::RecycledClip; }
  void LoadFromStream(TStreamReader& reader) override;
  void SaveToStream(TStreamWriter& writer) const override;

  // Copies Clip and stamps today's day number.
  void RecycleFrom(const TClip& clip);

  int32_t DeletedOn() const { return FDeletedOn; }
  void SetDeletedOn(int32_t day) { FDeletedOn = day; }

 private:
  int32_t FDeletedOn = 0;  // days since 30 December 1899
};

// Deletes from Folder's subtree every clip deleted before day Threshold (and every plain clip), and
// every folder left empty.
void PurgeRecycleBin(TClipFolder& folder, int32_t threshold);

}  // namespace velmora::model

#include "model/RecycledClip.h"

#include <vector>

#include "model/ClipFolder.h"
#include "model/Clock.h"
#include "model/CollectionStream.h"

namespace velmora::model {

void TRecycledClip::LoadFromStream(TStreamReader& reader) {
  LoadClipBody(reader);
  FDeletedOn = reader.ReadInt32();
}

void TRecycledClip::SaveToStream(TStreamWriter& writer) const {
  SaveClipBody(writer);
  writer.WriteInt32(FDeletedOn);
}

void TRecycledClip::RecycleFrom(const TClip& clip) {
  Assign(clip);
  FDeletedOn = CurrentClock().Today();
}

void PurgeRecycleBin(TClipFolder& folder, int32_t threshold) {
  // Per open folder, the child to look at next (remembered before acting on the present one).
  struct TFrame {
    TClipFolder* Folder;
    TClipItem* Next;
  };
  std::vector<TFrame> stack{{&folder, folder.FirstChild()}};
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    TClipItem* item = frame.Next;
    if (!item) {
      TClipFolder* done = frame.Folder;
      stack.pop_back();
      if (!stack.empty() && !done->FirstChild())
        done->Delete();  // purged empty; the top folder stays
      continue;
    }
    frame.Next = item->NextSibling();
    if (TClipFolder* subfolder = item->AsFolder()) {
      stack.push_back({subfolder, subfolder->FirstChild()});
      continue;
    }
    const auto* recycled = dynamic_cast<const TRecycledClip*>(item);
    if (!recycled || recycled->DeletedOn() < threshold)
      item->Delete();
  }
}

}  // namespace velmora::model

#include "model/ShadowClipFolder.h"

#include "model/ClipFile.h"

namespace velmora::model {

TShadowClipFolder::TShadowClipFolder(TClipFolder& realFolder) : FRealFolders{&realFolder} {
  TClipFolder::SetName(realFolder.Name());
  realFolder.CaptionSortKey();  // kept on the real folder for the next view
  CopyCaptionSortKey(realFolder);
}

void TShadowClipFolder::SetName(std::string_view name) {
  if (name == Name())
    return;
  TClipFolder::SetName(name);
  for (auto it = FRealFolders.rbegin(); it != FRealFolders.rend(); ++it) {
    (*it)->SetName(name);
    MarkCollectionOf(**it);
  }
}

void TShadowClipFolder::OnDelete() {
  // The view children are gone already (deleting goes children first); now the real folders.
  while (!FRealFolders.empty()) {
    TClipFolder* real = FRealFolders.front();
    MarkCollectionOf(*real);
    real->Delete();
    FRealFolders.erase(FRealFolders.begin());
  }
}

}  // namespace velmora::model

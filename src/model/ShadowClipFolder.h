// A folder of the All Collections view, standing for the same-named folders of every open collection.
#pragma once

#include <vector>

#include "model/ClipFolder.h"

namespace velmora::model {

class TShadowClipFolder : public TClipFolder {
 public:
  explicit TShadowClipFolder(TClipFolder& realFolder);

  void AddRealFolder(TClipFolder& folder) { FRealFolders.push_back(&folder); }
  const std::vector<TClipFolder*>& RealFolders() const { return FRealFolders; }
  // Renames this folder and every real folder it stands for, marking their collections.
  void SetName(std::string_view name) override;

 protected:
  void OnDelete() override;

 private:
  std::vector<TClipFolder*> FRealFolders;  // the folders are not owned; the first is the one it was made for
};

}  // namespace velmora::model

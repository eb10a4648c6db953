#include "model/AllCollectionsView.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "model/CaseMapping.h"
#include "model/ShadowClip.h"
#include "model/ShadowClipFolder.h"
#include "model/SortOrder.h"

namespace velmora::model {

namespace {

std::string AsciiLowerName(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    c = AsciiLower(c);
  return key;
}

}  // namespace

std::unique_ptr<TClipFile> BuildAllCollectionsView(std::string_view caption,
                                                   const std::vector<TClipFile*>& collections) {
  auto view = std::make_unique<TClipFile>();
  view->SetName(caption);

  // Items are appended in the order they are merged and put in their alphabetical places at the end,
  // all in one go per folder; the order comes out as if each had been inserted at FindSortedPosition.
  // Per view folder, its subfolders by name without ASCII case: the same lookup as FindSubfolder.
  std::unordered_map<TClipFolder*, std::unordered_map<std::string, TShadowClipFolder*>> subfolders;
  std::vector<TClipFolder*> viewFolders{view.get()};

  struct TFrame {
    TClipItem* NextSource;
    TClipFolder* Target;
  };
  std::vector<TFrame> stack;
  for (auto collection = collections.rbegin(); collection != collections.rend(); ++collection) {
    stack.push_back({(*collection)->FirstChild(), view.get()});
    while (!stack.empty()) {
      TFrame& frame = stack.back();
      TClipItem* source = frame.NextSource;
      if (!source) {
        stack.pop_back();
        continue;
      }
      frame.NextSource = source->NextSibling();
      TClipFolder* target = frame.Target;
      if (TClipFolder* sourceFolder = source->AsFolder()) {
        TShadowClipFolder*& shadow = subfolders[target][AsciiLowerName(sourceFolder->Name())];
        if (shadow) {
          shadow->AddRealFolder(*sourceFolder);
        } else {
          shadow = TClipItem::LinkAfter(std::make_unique<TShadowClipFolder>(*sourceFolder),
                                        target->LastChild(), target);
          viewFolders.push_back(shadow);
        }
        stack.push_back({sourceFolder->FirstChild(), shadow});  // Frame is not used after this
      } else {
        TClipItem::LinkAfter(std::make_unique<TShadowClip>(*source->AsClip()), target->LastChild(), target);
      }
    }
  }

  std::vector<TClipItem*> children;
  std::vector<TClipItem*> ordered;
  for (TClipFolder* folder : viewFolders) {
    if (folder->ChildCount() < 2)
      continue;
    children.clear();
    for (TClipItem* child = folder->FirstChild(); child; child = child->NextSibling())
      children.push_back(child);
    ordered.clear();
    for (size_t index : SortedInsertionOrder(CaptionSortKeys(children)))
      ordered.push_back(children[index]);
    folder->ReorderChildren(ordered);
  }
  view->SetNeedsRefresh(true);
  return view;
}

}  // namespace velmora::model

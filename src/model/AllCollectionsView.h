// The All Collections view: one alphabetical tree merging every open collection, built anew each time the
// page is shown.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "model/ClipFile.h"

namespace velmora::model {

// Merges Collections (in page order; merged from the last to the first) into a new view root named
// Caption. Folders of the same name at the same place appear once.
std::unique_ptr<TClipFile> BuildAllCollectionsView(std::string_view caption,
                                                   const std::vector<TClipFile*>& collections);

}  // namespace velmora::model

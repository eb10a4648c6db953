// The JSON form of a collection: a tree of folders, clips and recycled clips that the inspector prints
// and builds collection files from.
#pragma once

#include <cstddef>

#include <nlohmann/json.hpp>

#include "model/Clip.h"
#include "model/ClipFile.h"

namespace velmora::cli {

// Folders nested deeper than the collection reader loads are refused.
using model::kMaxFolderDepth;
// The deepest JSON such a tree needs: the root object and its children array, an object and a children
// array per folder, then a clip object holding a {"base64": ...} object.
inline constexpr size_t kMaxJsonDepth = 2 * kMaxFolderDepth + 4;

// One clip as it appears among a folder's children: {"type", "kind", "label", "abbreviation",
// "indent", then "text" or "before" and "after"} (and "deletedOn" for a recycled clip).
nlohmann::ordered_json ClipToJson(const model::TClip& clip);

// {"name", "sorted", "children"}, each child a folder, clip or recycled clip in chain order. A string
// that is not valid UTF-8 becomes {"base64": "..."}.
nlohmann::ordered_json CollectionToJson(const model::TClipFile& root);

// Fills the empty Root from JSON of the shape CollectionToJson gives. Every key is required and no other
// is taken; the first problem raises EBadJson naming its place, e.g. "children[2].kind: expected a
// number 0-255".
void CollectionFromJson(const nlohmann::ordered_json& json, model::TClipFile& root);

}  // namespace velmora::cli

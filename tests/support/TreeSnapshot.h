// Printable snapshots of clip trees and small builders, so a test states a whole expected tree as one value.
#pragma once

#include <memory>
#include <random>
#include <string>

#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/ClipFolder.h"

namespace velmora::model::testing {

// "name{child,child}" with a clip shown by its caption, a folder as "name{...}", a recycled clip as
// "caption@day". Kinds other than 0 and texts are not shown.
std::string Snapshot(const TClipFolder& folder);

// Everything stored: also kinds, texts, abbreviations, indent and days; for round trips.
std::string FullSnapshot(const TClipFolder& folder);

// Checks the links of the whole subtree: parents, sibling chains, counts. Returns "" when sound.
std::string CheckLinks(const TClipFolder& folder);

// Appends a plain clip labelled Caption after the last child.
TClip* AddClip(TClipFolder& folder, const std::string& caption);
TClipFolder* AddFolder(TClipFolder& folder, const std::string& name);

// A random tree of Items nodes, depth at most MaxDepth, captions from a small alphabet so that equal
// captions and same-named folders occur; with recycled clips and every kind.
void FillRandomTree(TClipFolder& root, std::mt19937& random, int items, int maxDepth);

}  // namespace velmora::model::testing

// A whole clip tree as one clipboard block: the collection stream, header and root folder body.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/ClipFile.h"

namespace velmora::exchange {

// The stream of Root, exactly as long as the stream.
std::string EncodeCollection(const model::TClipFile& root);

// A new collection read from Block; bytes after the end of the tree are ignored. Every failure, the
// collection file errors included, raises the one message that the clip is from a newer version.
std::unique_ptr<model::TClipFile> DecodeCollection(std::string_view block);

}  // namespace velmora::exchange

// Replacing a file only once its new content is completely on disk.
#pragma once

#include <functional>
#include <string>

#include "model/CollectionStream.h"
#include "model/FileSource.h"

namespace velmora::model {

// Writes through a temporary file in the target's folder, then renames it over the target. A new file is
// private to the user (0600); a replaced one keeps its permissions. On any failure the target is left as
// it was and the temporary file is removed; a failed write raises "Stream write error", a file that cannot
// be created "Cannot create file ...".
void WriteFileAtomically(const std::string& path, const std::function<void(TStreamWriter&)>& produce);

}  // namespace velmora::model

// Anchors the platform library; the format names themselves are compile-time constants.
#include "platform/ClipboardFormats.h"

namespace velmora::platform {

static_assert(kMarkerBlock.size() == kMarkerSize, "the marker block is eight zero bytes");

}  // namespace velmora::platform

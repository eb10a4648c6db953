// Encoding and decoding of the collection block.
#include "exchange/CollectionBlock.h"

#include <exception>

#include "exchange/ClipRecord.h"
#include "model/CollectionStream.h"
#include "model/Errors.h"

namespace velmora::exchange {

std::string EncodeCollection(const model::TClipFile& root) {
  model::TStringStreamWriter writer;
  root.SaveToStream(writer);
  return writer.TakeData();
}

std::unique_ptr<model::TClipFile> DecodeCollection(std::string_view block) {
  auto root = std::make_unique<model::TClipFile>();
  try {
    model::TStreamReader reader(block);
    root->LoadFromStream(reader);
  } catch (const std::exception&) {
    // The reader checks every length against the block, so what fails here is a damaged or foreign
    // stream; the user is told the same thing whatever the cause.
    throw EVelmoraError(kNewerClipMessage);
  }
  return root;
}

}  // namespace velmora::exchange

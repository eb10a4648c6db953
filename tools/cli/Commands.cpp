// The dump, build and check subcommands: loading and writing collection files, reporting each failure
// with the model's own message.
#include "Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CollectionJson.h"
#include "JsonInput.h"
#include "model/AtomicFile.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/CollectionStream.h"
#include "model/Errors.h"
#include "model/RecycledClip.h"

namespace velmora::cli {

namespace {

std::string ReadStandardInput() {
  std::string text;
  char buffer[65536];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, stdin);
    text.append(buffer, got);
    if (got < sizeof buffer)
      break;
  }
  if (std::ferror(stdin)) {
    throw EVelmoraError(std::string("Cannot read standard input. ") + std::strerror(errno) + ".");
  }
  return text;
}

struct TCounts {
  size_t Folders = 0;
  size_t Clips = 0;
  size_t Recycled = 0;
};

TCounts CountItems(const model::TClipFolder& root) {
  TCounts counts;
  std::vector<const model::TClipItem*> pending;
  for (const model::TClipItem* child = root.FirstChild(); child; child = child->NextSibling()) {
    pending.push_back(child);
  }
  while (!pending.empty()) {
    const model::TClipItem* item = pending.back();
    pending.pop_back();
    if (const model::TClipFolder* folder = item->AsFolder()) {
      ++counts.Folders;
      for (const model::TClipItem* child = folder->FirstChild(); child; child = child->NextSibling()) {
        pending.push_back(child);
      }
    } else if (dynamic_cast<const model::TRecycledClip*>(item)) {
      ++counts.Recycled;
    } else {
      ++counts.Clips;
    }
  }
  return counts;
}

std::string Counted(size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// Loads Path into Root; on failure prints the reason on standard error and returns false.
bool LoadOrReport(const std::string& path, model::TClipFile& root) {
  try {
    root.LoadFromFile(path);
    return true;
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return false;
  }
}

}  // namespace

int RunDump(const std::string& path) {
  model::TClipFile root;
  if (!LoadOrReport(path, root)) return kExitFailure;
  std::cout << CollectionToJson(root).dump(2) << '\n';
  std::cout.flush();
  if (!std::cout) {
    std::cerr << model::kStreamWriteError << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int RunBuild(const std::string& outputPath, const std::optional<std::string>& inputPath) {
  std::string text;
  try {
    text = inputPath ? model::ReadWholeFile(*inputPath).Bytes : ReadStandardInput();
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return kExitFailure;
  }
  model::TClipFile root;
  try {
    CollectionFromJson(ParseJsonBounded(text, kMaxJsonDepth), root);
  } catch (const EBadJson& error) {
    std::cerr << error.what() << '\n';
    return kExitBadInput;
  }
  try {
    // Only the bytes are wanted: SaveToFile would also bind the collection to the file and rename its root
    // after it. The stored name is the JSON's.
    model::WriteFileAtomically(outputPath,
                               [&root](model::TStreamWriter& writer) { root.SaveToStream(writer); });
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int RunCheck(const std::string& path) {
  model::TClipFile root;
  if (!LoadOrReport(path, root)) return kExitFailure;
  const TCounts counts = CountItems(root);
  std::cout << Counted(counts.Folders, "folder", "folders") << ", " << Counted(counts.Clips, "clip", "clips")
            << ", " << Counted(counts.Recycled, "recycled clip", "recycled clips") << '\n';
  return kExitOk;
}

}  // namespace velmora::cli

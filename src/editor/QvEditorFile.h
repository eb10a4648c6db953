// A buffered data object read from and written to a file.
#pragma once

#include <cstdint>
#include <string>

#include "editor/QvEditorDataBuffered.h"

namespace velmora::editor {

// Reads text files into an editor: files dropped on an editor and text files inserted into a clip.
class TQvEditorFile : public TQvEditorDataBuffered {
 public:
  TQvEditorFile() = default;

  const std::string& FileName() const { return FFileName; }
  // The file's modification time in nanoseconds since the epoch when it was loaded or last reset; -1 when
  // there is no file.
  int64_t FileAge() const { return FFileAge; }

  // Empties the data and forgets the file: no name, FileAge -1, Modified and ReadOnly cleared; DataReset.
  void New();

  // Replaces the content with the file's text and sends DataReset. With DetectUnicode, a file that starts
  // with a byte-order mark (UTF-16 little- or big-endian, UTF-8) is converted to UTF-8 without the mark,
  // malformed parts becoming U+FFFD; any other file loads byte for byte. ReadOnly is set when the file can
  // only be opened for reading. Raises EVelmoraError naming the file when it cannot be opened or read, or
  // when its text would reach 2 GiB; the data is then empty as after New, and DataReset has been sent.
  void LoadFromFile(const std::string& fileName, bool detectUnicode = true);

  // Writes the bytes as they are, with no mark, replacing the file atomically. Saving to FileName counts
  // as no outside change: FileAge follows the new file. Raises EVelmoraError on failure, the file then
  // unchanged.
  void SaveToFile(const std::string& fileName);

  // True when the file's current modification time is known and differs from FileAge.
  bool FileChanged() const override;
  // FileAge := the file's current modification time (or -1).
  void ResetFileAge() override;

  // The modification time of a file in nanoseconds since the epoch, or -1 when it cannot be read.
  static int64_t AgeOfFile(const std::string& fileName);

 private:
  // Reads the whole text of an open file whose size the system gave as ExpectedSize.
  std::string ReadText(int descriptor, size_t expectedSize, bool detectUnicode,
                       const std::string& fileName) const;

  std::string FFileName;
  int64_t FFileAge = -1;
};

}  // namespace velmora::editor

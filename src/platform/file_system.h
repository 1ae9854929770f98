#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varokin::platform {

// A file opened for sequential reading. Read returns 0 at the end of the file or on an error.
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::size_t Read(char* buffer, std::size_t count) = 0;
};

// A file opened for appending. Write returns false when not all of text reached the file.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(const std::string& text) = 0;
};

// The program's view of the disk. Paths are written as the game writes them: relative to the
// working directory (the TA folder) with "\" between folders, or absolute host paths. Names are
// matched without regard to case on every host; a new last component keeps the case it was given.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Names as stored on disk of the entries whose name matches the last component of pattern, a
  // wildcard with only * and ? (every other character is literal), compared without regard to
  // case. The folder part is an ordinary path. Sorted by name so that every host gives the same
  // order; "." and ".." are never returned.
  virtual std::vector<std::string> Find(const std::string& pattern) = 0;

  // True when a file or folder of that name exists; a link exists even when it points to nothing.
  [[nodiscard]] virtual bool Exists(const std::string& path) = 0;
  [[nodiscard]] virtual bool IsFolder(const std::string& path) = 0;
  // Size in bytes of a file; nothing for a folder or a missing name.
  virtual std::optional<std::uint64_t> Size(const std::string& path) = 0;

  // Renames a file or a whole folder. Never replaces anything: when the destination exists the
  // rename fails and both stay as they were.
  [[nodiscard]] virtual bool Rename(const std::string& from, const std::string& to) = 0;

  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes an empty folder.
  virtual bool RemoveFolder(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;

  // Up to count bytes from offset (fewer at the end of the file); nothing when the file cannot be
  // opened.
  virtual std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                            std::size_t count) = 0;
  // Nothing when the file cannot be opened for reading, or is not a regular file (a FIFO, a
  // device). Never creates the file and never waits.
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;

  // An existing regular file opened to add to its end, or nothing. Each Write reaches the system
  // at once (a killed program loses none of it) without waiting for the disk.
  virtual std::unique_ptr<OutputFile> OpenAppend(const std::string& path) = 0;

  // Writes the whole file: first to a temporary file beside it, then renamed over it, so that the
  // old contents or the new ones are on disk, never half of either. The only rename that replaces.
  // A link is kept: the file it points to is replaced, when the user may write there.
  [[nodiscard]] virtual bool WriteFileAtomic(const std::string& path,
                                             const std::string& contents) = 0;

  virtual bool SetCurrentDir(const std::string& path) = 0;
  // The working directory as an absolute host path.
  virtual std::string CurrentDir() = 0;
  // The host path the name resolves to (existing components in their stored case).
  virtual std::string HostPath(const std::string& path) = 0;

  // What tells one state of a file from another without reading it.
  struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;  // which file on the volume: a replaced file has another
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970
    bool operator==(const FileStamp&) const = default;
  };
  // The stamp of a regular file, links followed; nothing for a missing name or anything else.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // True when a relative path passes through a folder that is a link (a symbolic link, or on
  // Windows a junction or other reparse point) to a place outside the working directory. Every
  // call above treats such a path as naming nothing; this tells the caller why. A link that is
  // the last component is an entry of its own and is never followed to decide this.
  [[nodiscard]] virtual bool LeadsOutside(const std::string& path) = 0;
};

// The file system of the machine the program runs on.
std::unique_ptr<FileSystem> CreateHostFileSystem();

// True when name matches pattern, * and ? being the only wildcards, without regard to ASCII case.
[[nodiscard]] bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace varokin::platform

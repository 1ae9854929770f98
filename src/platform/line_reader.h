#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace varokin::platform {

// Reads a text file line by line into a buffer of N characters, as every reader of the program's
// files does: at most N - 1 characters of a line are returned, the rest of a longer line comes
// with the next read; the line end (LF, or CR LF) is consumed and not returned; at the end of the
// file, or when it could not be opened, every read returns an empty line.
class LineReader {
 public:
  static constexpr std::size_t kDefaultBuffer = 1023;

  LineReader(FileSystem& fs, const std::string& path);

  bool IsOpen() const { return file_ != nullptr; }
  std::string ReadLine(std::size_t bufferSize = kDefaultBuffer);
  // The line ReadLine() would return, as a view that is valid until the next read: a line that
  // lies whole in the buffer is not copied, which is what lets a file of a million lines be read
  // in a few milliseconds.
  std::string_view NextLine();

 private:
  int Peek();
  int Next();

  std::unique_ptr<InputFile> file_;
  std::string chunk_;
  std::string copied_;  // NextLine's line when it could not be a view into chunk_
  std::size_t pos_ = 0;
  bool eof_ = false;
};

// Formatted reading from one line, as scanf reads words ("%63s") and numbers ("%d").
class WordScanner {
 public:
  static constexpr std::size_t kMaxWord = 63;

  explicit WordScanner(std::string_view text) : text_(text) {}

  // Skips white space and reads the next word of at most maxLength characters; the rest of a
  // longer word is the next word. False when only white space is left.
  bool NextWord(std::string& word, std::size_t maxLength = kMaxWord);
  // Skips white space and reads an optional sign and decimal digits. False when no digit follows;
  // values beyond the range of int are clamped.
  bool NextInt(int& value);
  // Skips white space; true when the next character is c, which is then consumed.
  bool Literal(char c);

 private:
  void SkipSpace();

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace varokin::platform

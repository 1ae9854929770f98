#include "platform/line_reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/text.h"

namespace varokin::platform {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// Most files are read for a line or two: the first read stays small, as the buffer is cleared
// before each read.
constexpr std::size_t kFirstChunkSize = 4 * 1024;
constexpr int kEnd = -1;

}  // namespace

LineReader::LineReader(FileSystem& fs, const std::string& path) : file_(fs.OpenRead(path)) {}

int LineReader::Peek() {
  if (pos_ == chunk_.size()) {
    if (eof_ || !file_) return kEnd;
    const std::size_t size = chunk_.capacity() < kFirstChunkSize ? kFirstChunkSize : kChunkSize;
    chunk_.resize(size);
    chunk_.resize(file_->Read(chunk_.data(), size));
    pos_ = 0;
    if (chunk_.empty()) {
      eof_ = true;
      return kEnd;
    }
  }
  return static_cast<unsigned char>(chunk_[pos_]);
}

int LineReader::Next() {
  int c = Peek();
  if (c != kEnd) ++pos_;
  return c;
}

std::string LineReader::ReadLine(std::size_t bufferSize) {
  std::string line;
  if (bufferSize == 0) return line;
  const std::size_t limit = bufferSize - 1;
  bool lineEnded = false;
  while (!lineEnded) {
    int c = Peek();
    if (c == kEnd) break;
    if (c == '\n') {
      Next();
      lineEnded = true;
    } else if (c == '\r') {
      Next();
      if (Peek() == '\n') {
        Next();
        lineEnded = true;
      } else if (line.size() < limit) {
        line.push_back('\r');
      } else {
        // A lone CR past the limit belongs to the next read. The chunk may have been refilled
        // while looking behind it, so put it back in front of whatever is there now.
        if (pos_ > 0 && chunk_[pos_ - 1] == '\r') {
          --pos_;
        } else {
          chunk_.insert(chunk_.begin() + static_cast<std::ptrdiff_t>(pos_), '\r');
        }
        break;
      }
    } else if (line.size() < limit) {
      // The rest of the line as far as this chunk and the limit go, in one piece: a pack of a
      // million members is read a character at a time otherwise.
      const std::size_t end = std::min(chunk_.size(), pos_ + (limit - line.size()));
      std::size_t stop = pos_ + 1;
      while (stop < end && chunk_[stop] != '\n' && chunk_[stop] != '\r') ++stop;
      line.append(chunk_, pos_, stop - pos_);
      pos_ = stop;
    } else {
      break;
    }
  }
  // The text lands in a C string buffer, so a NUL byte is where it stops.
  std::size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  return line;
}

std::string_view LineReader::NextLine() {
  const std::size_t end = std::min(chunk_.size(), pos_ + kDefaultBuffer - 1);
  for (std::size_t at = pos_; at < end; ++at) {
    const char c = chunk_[at];
    if (c == '\0') break;
    if (c != '\n' && c != '\r') continue;
    std::size_t next = at + 1;
    if (c == '\r') {
      // A CR alone belongs to the line, and the one at the buffer's end is ReadLine's to judge.
      if (next == chunk_.size() || chunk_[next] != '\n') break;
      ++next;
    }
    const std::string_view line(chunk_.data() + pos_, at - pos_);
    pos_ = next;
    return line;
  }
  copied_ = ReadLine();
  return copied_;
}

void WordScanner::SkipSpace() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

bool WordScanner::NextWord(std::string& word, std::size_t maxLength) {
  SkipSpace();
  if (pos_ == text_.size() || maxLength == 0) return false;
  std::size_t end = pos_;
  while (end < text_.size() && end - pos_ < maxLength && !IsSpace(text_[end])) ++end;
  word.assign(text_.substr(pos_, end - pos_));
  pos_ = end;
  return true;
}

bool WordScanner::NextInt(int& value) {
  SkipSpace();
  std::size_t at = pos_;
  bool negative = false;
  if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
    negative = text_[at] == '-';
    ++at;
  }
  if (at == text_.size() || text_[at] < '0' || text_[at] > '9') return false;
  // Saturates one past INT_MAX so that INT_MIN still comes out exactly.
  const std::int64_t ceiling = std::int64_t{INT_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; at < text_.size() && text_[at] >= '0' && text_[at] <= '9'; ++at) {
    if (magnitude < ceiling) magnitude = magnitude * 10 + (text_[at] - '0');
  }
  if (magnitude > ceiling) magnitude = ceiling;
  std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX) signedValue = INT_MAX;
  value = static_cast<int>(signedValue);
  pos_ = at;
  return true;
}

bool WordScanner::Literal(char c) {
  SkipSpace();
  if (pos_ == text_.size() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

}  // namespace varokin::platform

#include "platform/line_reader.h"

#include <climits>
#include <string>
#include <vector>

#include "support/platform/temp_folder.h"

namespace varokin::platform::testing {
namespace {

using Lines = std::vector<std::string>;

class LineReaderTest : public TempFolderTest {
 protected:
  // Every read until the first empty one, each with a buffer of `size` characters.
  Lines ReadAll(const std::string& contents, std::size_t size = LineReader::kDefaultBuffer) {
    Put("file.txt", contents);
    LineReader reader(*fs_, "FILE.TXT");
    EXPECT_TRUE(reader.IsOpen());
    Lines lines;
    for (std::string line = reader.ReadLine(size); !line.empty(); line = reader.ReadLine(size)) {
      lines.push_back(line);
    }
    EXPECT_EQ(reader.ReadLine(size), "");
    return lines;
  }
  // The first `count` reads, empty ones too.
  Lines FirstReads(const std::string& contents, int count) {
    Put("file.txt", contents);
    LineReader reader(*fs_, "file.txt");
    Lines lines(static_cast<std::size_t>(count));
    for (std::string& line : lines) line = reader.ReadLine();
    return lines;
  }
};

TEST_F(LineReaderTest, KeepsLessThanTheBufferConsumesLineEndsAndStopsAtNulAcrossChunks) {
  EXPECT_EQ(ReadAll("abcdefg\nxy\n", 4), Lines({"abc", "def", "g", "xy"}));
  // Exactly N - 1 characters: the line end goes with them.
  EXPECT_EQ(ReadAll("abc\nxyz\n", 4), Lines({"abc", "xyz"}));
  EXPECT_EQ(ReadAll("abc\r\nxyz", 4), Lines({"abc", "xyz"}));
  EXPECT_EQ(ReadAll(std::string(100, 'n') + "\n", 64),
            Lines({std::string(63, 'n'), std::string(37, 'n')}));
  EXPECT_EQ(ReadAll(std::string(2500, 'd')),
            Lines({std::string(1022, 'd'), std::string(1022, 'd'), std::string(456, 'd')}));

  // Line ends are consumed; a lone CR is text.
  EXPECT_EQ(ReadAll("one\r\ntwo\nthree"), Lines({"one", "two", "three"}));
  EXPECT_EQ(ReadAll("a\rb\r\n"), Lines({"a\rb"}));
  EXPECT_EQ(ReadAll("abc\rd\n", 4), Lines({"abc", "\rd"}));
  EXPECT_EQ(ReadAll("ab\r", 4), Lines({"ab\r"}));
  EXPECT_EQ(FirstReads("first\n\r\n\nlast", 5), Lines({"first", "", "", "last", ""}));

  // A NUL byte ends the text of its read; other bytes are text.
  EXPECT_EQ(ReadAll(std::string("ab\0cd\nef\n", 9)), Lines({"ab", "ef"}));
  EXPECT_EQ(FirstReads(std::string("\0xx\nef\n", 7), 2), Lines({"", "ef"}));
  const std::string junk("\xff\xfe\x80\x01\x7f\x1a\nok\n", 9);
  EXPECT_EQ(ReadAll(junk), Lines({"\xff\xfe\x80\x01\x7f\x1a", "ok"}));

  // The CR of the first line is the last byte of the reader's first chunk of 64 KiB.
  const std::string first(65'535, 'x');
  EXPECT_EQ(ReadAll(first + "\r\nnext\n", 70'000), Lines({first, "next"}));
  // A lone CR there, found only when the buffer is full, comes back with the next read.
  EXPECT_EQ(ReadAll(first + "\rz\n", 65'536), Lines({first, "\rz"}));
  EXPECT_EQ(ReadAll(first + "\r", 65'536), Lines({first, "\r"}));
}

TEST_F(LineReaderTest, ViewsOfLinesAreTheLinesOfReadLine) {
  // Every kind of line end, at and across the ends of the first small chunk and of a full one,
  // lines at the buffer's limit, NUL bytes and empty lines.
  std::string text = std::string(4095, 'a') + "\r\nb\rc\n" + std::string(1022, 'd') + "\n" +
                     std::string(1023, 'e') + "\r\n\n" + std::string("f\0g\n", 4);
  for (int n = 0; text.size() < 140'000; ++n) text += "u" + std::to_string(n) + "\r\n";
  text += std::string(65'536 - text.size() % 65'536 - 1, 'h') + "\r\nlast";
  Put("mixed.txt", text);
  LineReader copies(*fs_, "mixed.txt");
  LineReader views(*fs_, "mixed.txt");
  // More reads than the file has lines: past its end both give empty lines.
  bool sawLast = false;
  for (int read = 0; read < 25'000; ++read) {
    const std::string line = copies.ReadLine();
    ASSERT_EQ(views.NextLine(), line) << "read " << read;
    sawLast = sawLast || line == "last";
  }
  EXPECT_TRUE(sawLast);
}

// The words the scanner has left, each of at most maxLength characters.
Lines Words(WordScanner& scanner, std::size_t maxLength = WordScanner::kMaxWord) {
  Lines words;
  for (std::string word; scanner.NextWord(word, maxLength);) words.push_back(word);
  return words;
}

TEST(WordScannerTest, ReadsWordsOfAtMostTheLimit) {
  const std::string text = " \talpha\r\n beta\v\f" + std::string(70, 'w') + "  ";
  WordScanner scanner(text);
  EXPECT_EQ(Words(scanner), (Lines{"alpha", "beta", std::string(63, 'w'), std::string(7, 'w')}));
  WordScanner small("abcdef");
  EXPECT_EQ(Words(small, 4), (Lines{"abcd", "ef"}));
}

// What the scanner reads to its end: a number where it can, else a word (in quotes).
Lines Tokens(WordScanner& scanner) {
  Lines tokens;
  for (std::string word;;) {
    int value = 5;
    if (scanner.NextInt(value)) {
      tokens.push_back(std::to_string(value));
      continue;
    }
    EXPECT_EQ(value, 5);  // a failed read leaves the value as it was
    if (!scanner.NextWord(word)) return tokens;
    tokens.push_back("'" + word + "'");
  }
}

TEST(WordScannerTest, ReadsNumbersAsScanfDoesAndLiterals) {
  // Out of range saturates; a sign without digits is no number.
  WordScanner scanner(" 42 -7 +3 12abc -2147483648 99999999999 -99999999999 - x");
  const std::string min = std::to_string(INT_MIN), max = std::to_string(INT_MAX);
  EXPECT_EQ(Tokens(scanner), (Lines{"42", "-7", "3", "12", "'abc'", min, max, min, "'-'", "'x'"}));

  // Literals match after white space too.
  WordScanner literals("  = 5 ;");
  EXPECT_FALSE(literals.Literal(';'));
  EXPECT_TRUE(literals.Literal('='));
  int value = 0;
  ASSERT_TRUE(literals.NextInt(value));
  EXPECT_EQ(value, 5);
  EXPECT_TRUE(literals.Literal(';'));
  EXPECT_FALSE(literals.Literal(';'));
}

}  // namespace
}  // namespace varokin::platform::testing

#include "core/LineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace core {
namespace {

using Lines = std::vector<std::string>;

void FeedText(LineSplitter& splitter, std::string_view text) { splitter.Feed(text.data(), text.size()); }

Lines Drain(LineSplitter& splitter) {
  Lines lines;
  while (std::optional<std::string> line = splitter.NextLine()) lines.push_back(*line);
  return lines;
}

// Feeds the text in pieces of the given size, taking lines after every piece,
// and finally the unterminated rest.
Lines FeedInPieces(std::string_view text, size_t piece, size_t maxLine = LineSplitter::DefaultMaxLineLength) {
  LineSplitter splitter(maxLine);
  Lines lines;
  for (size_t at = 0; at < text.size(); at += piece) {
    FeedText(splitter, text.substr(at, piece));
    for (const std::string& line : Drain(splitter)) lines.push_back(line);
  }
  while (std::optional<std::string> line = splitter.TakeRest()) lines.push_back(*line);
  return lines;
}

TEST(LineSplitter, Terminators) {
  LineSplitter splitter;
  EXPECT_EQ(splitter.NextLine(), std::nullopt);  // nothing fed
  FeedText(splitter, "a\r\nb\rc\nd\r\n\r\ne\n\nf\r\rg");
  EXPECT_EQ(Drain(splitter), (Lines{"a", "b", "c", "d", "", "e", "", "f", ""}));
  EXPECT_EQ(splitter.PendingSize(), 1u);
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  EXPECT_EQ(splitter.TakeRest(), "g");
  EXPECT_EQ(splitter.TakeRest(), std::nullopt);
  EXPECT_EQ(splitter.PendingSize(), 0u);

  FeedText(splitter, "\n\r");  // LF then a lone CR: two empty lines
  EXPECT_EQ(Drain(splitter), (Lines{"", ""}));
}

TEST(LineSplitter, PartialLineWaitsForItsEnd) {
  LineSplitter splitter;
  FeedText(splitter, "abc");
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  EXPECT_EQ(splitter.PendingSize(), 3u);
  FeedText(splitter, "de");
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  FeedText(splitter, "f\r\nnext");
  EXPECT_EQ(splitter.NextLine(), "abcdef");
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  EXPECT_EQ(splitter.PendingSize(), 4u);

  // A line in many one-byte pieces.
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const char c = static_cast<char>('a' + i % 26);
    expected += c;
    splitter.Feed(&c, 1);
    ASSERT_EQ(splitter.NextLine(), std::nullopt);
  }
  FeedText(splitter, "\n");
  EXPECT_EQ(splitter.NextLine(), "next" + expected);
}

TEST(LineSplitter, CrAtTheEndOfAFeed) {
  LineSplitter splitter;
  FeedText(splitter, "abc\r");
  EXPECT_EQ(splitter.NextLine(), "abc");  // ends at once
  FeedText(splitter, "\ndef\n");          // its LF arrives later: no extra empty line
  EXPECT_EQ(Drain(splitter), Lines{"def"});

  FeedText(splitter, "x\r");
  EXPECT_EQ(splitter.NextLine(), "x");
  FeedText(splitter, "y\n");  // no LF follows: nothing dropped
  EXPECT_EQ(Drain(splitter), Lines{"y"});

  FeedText(splitter, "p\r");
  EXPECT_EQ(splitter.NextLine(), "p");
  FeedText(splitter, "\r\n");  // a second CR is a line of its own
  EXPECT_EQ(Drain(splitter), Lines{""});

  FeedText(splitter, "q\r");
  EXPECT_EQ(splitter.NextLine(), "q");
  splitter.Feed("\0", 1);  // NUL bytes between CR and LF vanish
  FeedText(splitter, "\n\n");
  EXPECT_EQ(Drain(splitter), Lines{""});  // one LF belongs to the CR, the next one is a line
}

TEST(LineSplitter, NulBytesAreDropped) {
  LineSplitter splitter;
  const std::string utf16("[\0S\0E\0C\0]\0\r\0\n\0n\0e\0x\0t\0", 22);
  splitter.Feed(utf16.data(), utf16.size());
  EXPECT_EQ(splitter.NextLine(), "[SEC]");
  EXPECT_EQ(splitter.PendingSize(), 4u);
  splitter.Feed("\0\0\0", 3);
  EXPECT_EQ(splitter.PendingSize(), 4u);
  FeedText(splitter, "\n");
  EXPECT_EQ(splitter.NextLine(), "next");  // the stream goes on after NUL bytes
  splitter.Feed("\0", 1);
  EXPECT_EQ(splitter.TakeRest(), std::nullopt);
}

TEST(LineSplitter, LongFeedKeepsTheRest) {
  LineSplitter splitter;
  const std::string feed = std::string(398, 'L') + "\r\n" + std::string(200, 'r');
  ASSERT_EQ(feed.size(), 600u);
  FeedText(splitter, feed);
  EXPECT_EQ(splitter.NextLine(), std::string(398, 'L'));
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  EXPECT_EQ(splitter.PendingSize(), 200u);
}

TEST(LineSplitter, LineLengthLimit) {
  constexpr size_t limit = LineSplitter::DefaultMaxLineLength;
  LineSplitter splitter;
  // 70 KiB without a terminator: one 64 KiB line, then the rest waits.
  const std::string unterminated(70 * 1024, 'u');
  FeedText(splitter, unterminated);
  EXPECT_EQ(splitter.NextLine(), std::string(limit, 'u'));
  EXPECT_EQ(splitter.NextLine(), std::nullopt);
  EXPECT_EQ(splitter.PendingSize(), 70 * 1024 - limit);
  EXPECT_EQ(splitter.TakeRest(), std::string(70 * 1024 - limit, 'u'));

  // The pieces after the first are marked as the rest of a long line: a tag in them starts no line.
  LineSplitter tagged;
  FeedText(tagged, std::string(limit, 'a') + "[Result]:OK\r\n" + "next\n" + std::string(limit + 3, 'c'));
  EXPECT_EQ(tagged.NextLine(), std::string(limit, 'a'));
  EXPECT_FALSE(tagged.LastLineContinued());
  EXPECT_EQ(tagged.NextLine(), "[Result]:OK");
  EXPECT_TRUE(tagged.LastLineContinued());
  EXPECT_EQ(tagged.NextLine(), "next");
  EXPECT_FALSE(tagged.LastLineContinued());
  EXPECT_EQ(tagged.NextLine(), std::string(limit, 'c'));
  EXPECT_FALSE(tagged.LastLineContinued());
  EXPECT_EQ(tagged.TakeRest(), "ccc");
  EXPECT_TRUE(tagged.LastLineContinued());

  // Exactly the limit and then its terminator, in pieces: one line, no empty one.
  const std::string exact = std::string(limit, 'e') + "\r\nz\n";
  EXPECT_EQ(FeedInPieces(exact, 1000), (Lines{std::string(limit, 'e'), "z"}));
  EXPECT_EQ(FeedInPieces(exact, limit), (Lines{std::string(limit, 'e'), "z"}));

  // Memory stays bounded by the limit however long the line runs.
  LineSplitter bounded;
  const std::string chunk(4096, 'b');
  size_t returned = 0;
  for (int i = 0; i < 100; ++i) {
    FeedText(bounded, chunk);
    while (std::optional<std::string> line = bounded.NextLine()) {
      EXPECT_EQ(line->size(), limit);
      returned += line->size();
    }
    EXPECT_LE(bounded.PendingSize(), limit);
  }
  EXPECT_EQ(returned + bounded.PendingSize(), 100u * 4096u);
}

TEST(LineSplitter, AnySplitGivesTheSameLines) {
  std::string stream;
  for (int i = 0; i < 300; ++i) {
    stream += "line " + std::to_string(i);
    stream += (i % 4 == 0) ? "\r\n" : (i % 4 == 1) ? "\r" : (i % 4 == 2) ? "\n" : "\r\r\n";
    if (i % 7 == 0) stream += std::string("\0", 1);
    if (i % 50 == 0) stream += std::string(9000, 'w');  // long enough to cross compaction
  }
  stream += "tail\r";
  const Lines whole = FeedInPieces(stream, stream.size(), 4000);
  ASSERT_GT(whole.size(), 300u);
  for (size_t piece : {1u, 2u, 3u, 7u, 255u, 4096u, 5000u})
    EXPECT_EQ(FeedInPieces(stream, piece, 4000), whole) << piece;
  EXPECT_EQ(whole.back(), "tail");
}

}  // namespace
}  // namespace core

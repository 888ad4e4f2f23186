// Pipe streams and the non-blocking line reader, on real pipes: written from
// this process where that cannot block, and by a child that writes in pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UtilsTestSupport.h"
#include "win/utils/Utils.h"

using namespace Utils;
using UtilsTest::ChildPath;
using UtilsTest::SendLine;
using UtilsTest::WaitFor;

namespace {

void Put(HANDLE pipe, const std::string& bytes) {
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

// Every line that ReadLine gives now.
std::vector<std::string> ReadAll(TPipeStream& stream) {
  std::vector<std::string> lines;
  std::string line;
  while (stream.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(line, NoLineMark);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(PipeStream, EndsAndHandles) {
  TPipeStream output(PipeReadEnd, 65536);
  TPipeStream input(PipeWriteEnd, 65536);
  TPipeStream neither(2, 4096);
  EXPECT_NE(output.ReadHandle(), nullptr);
  EXPECT_NE(output.WriteHandle(), nullptr);
  EXPECT_EQ(output.Handle(), output.ReadHandle());
  EXPECT_EQ(output.OtherEndHandle(), output.WriteHandle());
  EXPECT_EQ(input.Handle(), input.WriteHandle());
  EXPECT_EQ(input.OtherEndHandle(), input.ReadHandle());
  EXPECT_EQ(neither.Handle(), nullptr);
  EXPECT_EQ(neither.OtherEndHandle(), nullptr);
  std::string line;
  EXPECT_FALSE(neither.ReadLine(line));
  EXPECT_EQ(line, NoLineMark);

  // The other end goes to a child and must be inheritable; the stream's own end must not reach any child.
  DWORD flags = 0;
  ASSERT_TRUE(GetHandleInformation(output.ReadHandle(), &flags));
  EXPECT_FALSE(flags & HANDLE_FLAG_INHERIT);
  ASSERT_TRUE(GetHandleInformation(output.WriteHandle(), &flags));
  EXPECT_TRUE(flags & HANDLE_FLAG_INHERIT);
  ASSERT_TRUE(GetHandleInformation(input.WriteHandle(), &flags));
  EXPECT_FALSE(flags & HANDLE_FLAG_INHERIT);
  ASSERT_TRUE(GetHandleInformation(input.ReadHandle(), &flags));
  EXPECT_TRUE(flags & HANDLE_FLAG_INHERIT);
}

TEST(PipeStream, ReadLineNeverWaitsAndSplitsAtEveryLineEnd) {
  TPipeStream output(PipeReadEnd, 65536);
  HANDLE writer = output.OtherEndHandle();
  std::string line = "unchanged";
  EXPECT_FALSE(output.ReadLine(line)) << "nothing waiting";
  EXPECT_EQ(line, NoLineMark);
  EXPECT_NE(line, "");

  Put(writer, "abc");
  EXPECT_FALSE(output.ReadLine(line));
  EXPECT_EQ(output.PendingSize(), 3u);
  Put(writer, "\r\n");
  EXPECT_EQ(ReadAll(output), Lines{"abc"});

  Put(writer, "crlf\r\ncr\rlf\n\n\r\r\n");
  EXPECT_EQ(ReadAll(output), (Lines{"crlf", "cr", "lf", "", "", ""}));

  // A CR that ends the waiting bytes ends its line at once; its LF, coming
  // later, belongs to it and makes no empty line.
  Put(writer, "late\r");
  EXPECT_EQ(ReadAll(output), Lines{"late"});
  Put(writer, "\nnext\n");
  EXPECT_EQ(ReadAll(output), Lines{"next"});

  // Everything waiting is taken in at once, not 255 bytes at a time.
  Put(writer, std::string(398, 'l') + "\r\n" + std::string(200, 'r'));
  ASSERT_TRUE(output.ReadLine(line));
  EXPECT_EQ(line, std::string(398, 'l'));
  EXPECT_FALSE(output.LastLineUnterminated());
  EXPECT_EQ(output.PendingSize(), 200u);
  DWORD waiting = 1;
  ASSERT_TRUE(PeekNamedPipe(output.Handle(), nullptr, 0, nullptr, &waiting, nullptr));
  EXPECT_EQ(waiting, 0u);
  EXPECT_FALSE(output.ReadLine(line));
  ASSERT_TRUE(output.ReadLineOrRest(line));
  EXPECT_EQ(line, std::string(200, 'r'));
  EXPECT_TRUE(output.LastLineUnterminated());
  EXPECT_FALSE(output.ReadLineOrRest(line));
  EXPECT_EQ(line, NoLineMark);
}

TEST(PipeStream, NulBytesAreDroppedInsteadOfStallingTheReader) {
  TPipeStream output(PipeReadEnd, 65536);
  HANDLE writer = output.OtherEndHandle();
  Put(writer, std::string("a\0b\n\0\0", 6));
  Put(writer, std::string("\0c\r\n", 4));
  EXPECT_EQ(ReadAll(output), (Lines{"ab", "c"}));
  Put(writer, std::string("w\0i\0d\0e\0\r\0\n\0", 12));
  EXPECT_EQ(ReadAll(output), Lines{"wide"});
  EXPECT_EQ(output.PendingSize(), 0u);
}

// The child writes each piece of its script after a line on its standard
// input; every piece is read before the next one is asked for.
TEST(PipeStream, ChildWritingInPiecesYieldsItsLines) {
  struct Step {
    Lines lines;
    size_t pending;
  };
  const std::string longLine(65536, 'x');
  const std::vector<Step> steps = {
      {{"first"}, 0},                         // CR LF
      {{}, 3},                                // "sec": no end yet
      {{"second"}, 0},                        // "ond" LF
      {{"third"}, 0},                         // a CR at the end of a piece
      {{"fourth", ""}, 0},                    // its LF in the next piece, then CR CR LF
      {{"fifth"}, 0},                         // NUL bytes inside and after the line
      {{"", ""}, 0},                          // two LF
      {{"UTF-16"}, 0},                        // a line in UTF-16
      {{longLine}, 70000 - longLine.size()},  // a line that never ends
      {{}, 70000 - longLine.size() + 4},      // "tail", the last bytes of the run
  };

  TPipeStream input(PipeWriteEnd, 65536);
  TPipeStream output(PipeReadEnd, 65536);
  TStartedProcess child = StartChildProcess(ChildPath(), "pieces", false, input.OtherEndHandle(),
                                            output.OtherEndHandle(), output.OtherEndHandle());
  ASSERT_NE(child.Id, 0u);
  for (size_t i = 0; i < steps.size(); ++i) {
    SendLine(input, "go");
    Lines lines;
    bool complete = WaitFor([&] {
      std::string line;
      while (output.ReadLine(line)) lines.push_back(line);
      return lines.size() >= steps[i].lines.size() && output.PendingSize() == steps[i].pending;
    });
    EXPECT_TRUE(complete) << "piece " << i;
    EXPECT_EQ(lines, steps[i].lines) << "piece " << i;
  }
  ASSERT_TRUE(WaitFor([&] { return !IsProcessHandleAlive(child.Process.Get()); }));

  // At the end of a run, the unterminated rest is a line of its own.
  std::string line;
  EXPECT_FALSE(output.LastLineContinued()) << "the first piece of a long line starts a line";
  ASSERT_TRUE(output.ReadLineOrRest(line));
  EXPECT_EQ(line, std::string(70000 - longLine.size(), 'x') + "tail");
  EXPECT_TRUE(output.LastLineContinued()) << "the rest of the long line is no line of its own";
  EXPECT_FALSE(output.ReadLineOrRest(line));
}

}  // namespace

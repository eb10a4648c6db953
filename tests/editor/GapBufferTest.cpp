// Tests of the gap buffer: changes at either end, in the middle and across the gap, reads that leave the
// gap alone, views that move it, and a long random run against std::string.
#include "editor/GapBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace velmora::editor {
namespace {

std::string Content(TGapBuffer& buffer) {
  return std::string(buffer.ContiguousView());
}

TEST(GapBuffer, InsertsAndDeletesAtTheStartTheMiddleAndTheEnd) {
  TGapBuffer buffer(1);  // the smallest gap, so that every few steps it grows
  buffer.Insert(0, "held");
  buffer.Insert(0, "He ");   // He held
  buffer.Insert(7, "!");     // He held!
  buffer.Insert(3, "has ");  // He has held!
  EXPECT_EQ(Content(buffer), "He has held!");
  buffer.Delete(0, 3);  // has held!
  buffer.Delete(8, 1);  // has held
  buffer.Delete(3, 1);  // hasheld
  EXPECT_EQ(Content(buffer), "hasheld");
  EXPECT_EQ(buffer.Length(), 7u);
  buffer.Delete(0, 7);
  EXPECT_TRUE(buffer.Empty());
  EXPECT_EQ(Content(buffer), "");
}

TEST(GapBuffer, ChangesNextToTheGapMoveNothingAndOthersMoveItThere) {
  TGapBuffer buffer;
  buffer.Insert(0, "abcdef");  // gap after f
  EXPECT_EQ(buffer.GapPosition(), 6u);
  buffer.Delete(5, 1);  // a backspace: the gap widens to the left
  EXPECT_EQ(buffer.GapPosition(), 5u);
  buffer.Delete(5, 0);
  buffer.Insert(5, "F");  // typing on at the gap
  EXPECT_EQ(buffer.GapPosition(), 6u);
  buffer.Delete(1, 2);  // abcdeF -> adeF; the gap comes from the nearer side, the end of the range
  EXPECT_EQ(Content(buffer), "adeF");
  buffer.Insert(1, "x");  // gap moved after the x
  EXPECT_EQ(buffer.GapPosition(), 2u);
  EXPECT_EQ(Content(buffer), "axdeF");
}

TEST(GapBuffer, ReadsOverTheGapLeaveItWhereItIs) {
  TGapBuffer buffer;
  buffer.Insert(0, "0123456789");
  buffer.Insert(4, "ab");  // 0123ab456789, gap after b
  ASSERT_EQ(buffer.GapPosition(), 6u);
  EXPECT_EQ(buffer.Range(2, 7), "23ab456");
  const auto [first, second] = buffer.Segments(2, 7);
  EXPECT_EQ(first, "23ab");
  EXPECT_EQ(second, "456");
  EXPECT_EQ(buffer.ValueAt(6), '4');
  EXPECT_EQ(buffer.ValueAt(5), 'b');
  EXPECT_EQ(buffer.ValueAt(12), '\0');  // the tolerated read past the end
  EXPECT_EQ(buffer.GapPosition(), 6u);
}

TEST(GapBuffer, ARangeViewMovesTheGapOutOfTheRangeToItsNearerEnd) {
  TGapBuffer buffer;
  buffer.Insert(0, "0123456789");
  buffer.Insert(8, "-");  // 01234567-89, gap at 9
  EXPECT_EQ(buffer.RangeView(2, 9), "234567-89");
  EXPECT_EQ(buffer.GapPosition(), 11u);  // the end of the range was nearer
  buffer.Insert(1, "+");                 // 0+1234567-89, gap at 2
  EXPECT_EQ(buffer.RangeView(1, 10), "+1234567-8");
  EXPECT_EQ(buffer.GapPosition(), 1u);      // the start was nearer
  EXPECT_EQ(buffer.RangeView(3, 2), "23");  // not over the gap: nothing moves
  EXPECT_EQ(buffer.GapPosition(), 1u);
  EXPECT_EQ(buffer.ContiguousView(), "0+1234567-89");
  EXPECT_EQ(buffer.GapPosition(), 12u);
}

TEST(GapBuffer, InsertingAViewOfItselfInsertsTheBytesItShowedBefore) {
  TGapBuffer buffer(1);
  buffer.Insert(0, "line\n");
  for (int i = 0; i < 6; ++i)  // each time the buffer must grow, which frees what the view points to
    buffer.Insert(0, buffer.ContiguousView());
  EXPECT_EQ(buffer.Length(), 5u * 64);
  std::string expected;
  for (int i = 0; i < 64; ++i)
    expected += "line\n";
  EXPECT_EQ(Content(buffer), expected);
  buffer.Insert(3, buffer.RangeView(0, 2));
  EXPECT_EQ(buffer.Range(0, 8), "linlie\nl");
}

TEST(GapBuffer, AssignTakesTheWholeTextAndClearEmpties) {
  TGapBuffer buffer;
  buffer.Assign("some text");
  EXPECT_EQ(buffer.Length(), 9u);
  EXPECT_EQ(buffer.GapLength(), 0u);
  buffer.Insert(4, "more ");  // grows from a gap of 0
  EXPECT_EQ(Content(buffer), "somemore  text");
  buffer.Clear();
  EXPECT_TRUE(buffer.Empty());
  buffer.Insert(0, "again");
  EXPECT_EQ(Content(buffer), "again");
}

// A long fixed pseudo-random run of every operation, compared with std::string after each step.
TEST(GapBuffer, MatchesAStdStringOverALongRandomRun) {
  std::mt19937 random(20240611);
  TGapBuffer buffer(1);
  std::string expected;
  auto below = [&random](size_t bound) { return std::uniform_int_distribution<size_t>(0, bound)(random); };
  for (int step = 0; step < 20000; ++step) {
    SCOPED_TRACE(step);
    const size_t position = below(expected.size());
    switch (below(5)) {
      case 0:
      case 1: {
        std::string text(below(12), '\0');
        for (char& c : text)
          c = static_cast<char>('a' + below(25));
        buffer.Insert(position, text);
        expected.insert(position, text);
        break;
      }
      case 2: {
        const size_t count = below(std::min<size_t>(expected.size() - position, 16));
        buffer.Delete(position, count);
        expected.erase(position, count);
        break;
      }
      case 3: {
        const size_t count = below(expected.size() - position);
        ASSERT_EQ(buffer.Range(position, count), expected.substr(position, count));
        ASSERT_EQ(buffer.RangeView(position, count), std::string_view(expected).substr(position, count));
        break;
      }
      default:
        ASSERT_EQ(buffer.ValueAt(position), position < expected.size() ? expected[position] : '\0');
        break;
    }
    ASSERT_EQ(buffer.Length(), expected.size());
    ASSERT_LE(buffer.GapPosition(), buffer.Length());
  }
  EXPECT_EQ(Content(buffer), expected);
}

}  // namespace
}  // namespace velmora::editor

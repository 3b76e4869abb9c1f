#include "qt_printers.h"
#include "text_layout.h"

#include <gtest/gtest.h>

using namespace tav::TextLayout;

namespace {

// A monospaced measure: 100 twips a character, so widths are easy to reason about.
const Measure kMono = [](const QString& text) { return 100.0 * text.size(); };

} // namespace

TEST(TextLayout, BreaksAtBlanksAndCarriageReturns) {
    EXPECT_EQ(breakLines("A\r\nB", 1000, kMono), (QStringList{"A", "B"}));
    // A lone line feed breaks a line as CR LF does; so does a lone carriage return.
    EXPECT_EQ(breakLines("A\nB\rC\n\nD", 1000, kMono),
              (QStringList{"A", "B", "C", QString(), "D"}));
    EXPECT_EQ(breakLines("one two three four", 900, kMono),
              (QStringList{"one two", "three", "four"}));
    EXPECT_EQ(breakLines("aa bb cc dd", 800, kMono), (QStringList{"aa bb cc", "dd"}));
    EXPECT_TRUE(breakLines(QString(), 1000, kMono).isEmpty());
    EXPECT_EQ(breakLines("x   ", 1000, kMono), QStringList{"x"});
}

TEST(TextLayout, AWordWiderThanTheBoxIsSplitBetweenCharacters) {
    EXPECT_EQ(breakLines("abcdefghij", 400, kMono), (QStringList{"abcd", "efgh", "ij"}));
    // On a line of fewer than three words the line itself is split.
    EXPECT_EQ(breakLines("ab cdefgh", 400, kMono), (QStringList{"ab c", "defg", "h"}));
    // A character wider than the box stands alone.
    EXPECT_EQ(breakLines("abc", 50, kMono), (QStringList{"a", "b", "c"}));
}

TEST(TextLayout, MoreThanTwoHundredLinesAreDroppedNotAnError) {
    QString text;
    for (int i = 0; i < 300; ++i)
        text += "line\r";
    const QStringList lines = breakLines(text, 1000, kMono);
    EXPECT_EQ(lines.size(), MaxLines);
}

TEST(TextLayout, PlacesLinesByAlignmentAndLeavesOutWhatDoesNotFit) {
    const QStringList two = {"ab", "abcd"};
    const Box box{1000, 2000, 1000, 1000};
    const auto top = placeLines(two, box, 200, 0, 0, false, kMono);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].y, 2000);
    EXPECT_EQ(top[1].y, 2200);
    EXPECT_EQ(top[0].x, 1000);

    const auto middle = placeLines(two, box, 200, 2, 1, false, kMono);
    EXPECT_EQ(middle[0].y, 2300);
    EXPECT_EQ(middle[0].x, 1400); // (1000 - 200) / 2
    EXPECT_EQ(middle[1].x, 1300);

    const auto bottom = placeLines(two, box, 200, 0, 2, false, kMono);
    EXPECT_EQ(bottom[0].y, 2600);

    // Right alignment ends a blank's width short of the edge on screen, at the edge on paper.
    const auto screen = placeLines({" ab "}, box, 200, 1, 0, false, kMono);
    EXPECT_EQ(screen[0].text, "ab");
    EXPECT_EQ(screen[0].x, 1700);
    const auto paper = placeLines({" ab "}, box, 200, 1, 0, true, kMono);
    EXPECT_EQ(paper[0].x, 1800);

    // Too many lines at the bottom: the block starts at the top and the overflow is left out.
    QStringList many;
    for (int i = 0; i < 8; ++i)
        many.append("x");
    const auto overflow = placeLines(many, box, 200, 0, 2, false, kMono);
    EXPECT_EQ(overflow.front().y, 2000);
    EXPECT_EQ(overflow.size(), 5u); // 3000 - 160 >= 2800, but not 3000
    EXPECT_EQ(placeLines(many, box, 200, 0, 2, true, kMono).size(), 5u);
    const auto exact = placeLines(many, Box{0, 0, 1000, 960}, 200, 0, 0, false, kMono);
    EXPECT_EQ(exact.size(), 5u); // 960 - 160 >= 800 on screen
    EXPECT_EQ(placeLines(many, Box{0, 0, 1000, 960}, 200, 0, 0, true, kMono).size(), 4u);

    // Centred text wider than the box starts at the box's left.
    const auto wide = placeLines({"abcdefghijkl"}, box, 200, 2, 0, false, kMono);
    EXPECT_EQ(wide[0].x, 1000);
}

#include "piece_texts.h"
#include "qt_printers.h"
#include "str_lib.h"

#include <gtest/gtest.h>

using namespace tav::StrLib;

TEST(StrLib, SplittersCompareSeparatorsExactly) {
    EXPECT_EQ(TextBefore("8.5x11", "x"), "8.5");
    EXPECT_EQ(TextAfter("8.5x11", "x"), "11");
    EXPECT_EQ(TextBefore("8.5x11", "X"), "8.5x11");
    EXPECT_EQ(TextAfter("8.5x11", "X"), QString());
    EXPECT_EQ(TextAfterLast("Size 10 - Envelope", " - "), "Envelope");
    EXPECT_EQ(TextAfterLast("A - B - C", " - "), "C");
    EXPECT_EQ(TextAfterLast("Envelope", " - "), "Envelope");
}

TEST(StrLib, TrimSpacesRemovesSpacesOnly) {
    EXPECT_EQ(TrimSpaces("  x  "), "x");
    EXPECT_EQ(TrimSpaces("\tx\r\n"), "\tx\r\n");
    EXPECT_EQ(TrimSpaces("    "), QString());
}

TEST(StrLib, SubstituteTokensReplacesEveryOccurrenceOfEachNamedToken) {
    const QString pipe = "|";
    const QString caret = "^";
    EXPECT_EQ(SubstituteTokens("Dear <<Item1>>, <<Item1>>!", "Item1^Ann|", caret, pipe),
              "Dear Ann, Ann!");
    EXPECT_EQ(
        SubstituteTokens("<<Item1>> <<Item2>> <<Item3>>", "Item1^Ann|Item2|Item3^x^y", caret, pipe),
        "Ann <<Item2>> x^y");
    EXPECT_EQ(SubstituteTokens("<<Item1>>", "item1^Ann|", caret, pipe), "<<Item1>>");
    EXPECT_EQ(SubstituteTokens("<<Item1>>", "   ", caret, pipe), "<<Item1>>");
    EXPECT_EQ(SubstituteTokens("<<A>>+<<B>>", "A^1| |B^2", caret, pipe), "1+2");
    EXPECT_EQ(SubstituteTokens("<<Item1>>", "Item1^|", caret, pipe), QString());
}

TEST(StrLib, SubstituteTokensReadsALongListAsAShortOne) {
    // Past a thousand characters the list is indexed instead of searched: the same rules hold.
    const QString padding = QStringLiteral("Pad^%1|").arg(QString(1100, QLatin1Char('x')));
    for (const QString& before : {QString(), padding}) {
        const QString list = before + "A^<<B>>|B^b|A^second|Blank^ |";
        EXPECT_EQ(SubstituteTokens("<<A>>/<<B>>/<<C>>/<<Blank>>", list, "^", "|"),
                  "<<B>>/b/<<C>>/ ")
            << list.size();
    }
}

TEST(StrLib, SubstituteTokensEndsWhenAValueHoldsItsOwnToken) {
    EXPECT_EQ(SubstituteTokens("<<Item1>> and <<Item1>>", "Item1^<<Item1>>!|", "^", "|"),
              "<<Item1>>! and <<Item1>>!");
    // A value is never scanned again: a cell holding another column's placeholder prints as
    // written, whichever entry comes first.
    EXPECT_EQ(SubstituteTokens("<<A>>", "A^<<B>>|B^b|", "^", "|"), "<<B>>");
    EXPECT_EQ(SubstituteTokens("<<Name>>, <<Zip>>", "Zip^62701|Name^<<Zip>>|", "^", "|"),
              "<<Zip>>, 62701");
    // The first entry of a name counts; a "<<" that opens no known name stays text.
    EXPECT_EQ(SubstituteTokens("<<<A>> <<>> <<A", "A^1|A^2|^e", "^", "|"), "<1 e <<A");
    // Without an item separator the whole list is one entry.
    EXPECT_EQ(SubstituteTokens("<<A>>", "A^1|B^2", "^", QString()), "1|B^2");
}

TEST(PieceTexts, ReadOnceTheyFillTemplatesAsTheListDoes) {
    const QString wide = [] {
        QString list;
        for (int i = 0; i < 40; ++i)
            list += QStringLiteral("Col%1^v%1|").arg(i);
        return list;
    }();
    const std::pair<const char*, QString> cases[] = {
        {"Dear <<Item1>>, <<Item1>>!", "Item1^Ann|"},
        {"<<Item1>> <<Item2>> <<Item3>>", "Item1^Ann|Item2|Item3^x^y"},
        {"<<Item1>>", "item1^Ann|"},
        {"<<A>>+<<B>>", "A^1| |B^2"},
        {"<<A>>/<<B>>/<<C>>", "A^<<B>>|B^b|A^second|"},
        {"<<<A>> <<>> <<A", "A^1|A^2|^e"},
        {"<<Col3>> <<Col39>> <<Col40>> <<Item1>>", wide + "Item1^last|Col3^again"},
        {"<<V>>", "V^" + tav::StrLib::EscapeValue(QString::fromUtf8("a|b^c\uFDD0"))},
    };
    for (const auto& [text, list] : cases)
        EXPECT_EQ(tav::PieceTexts::fromList(list).fill(QString::fromUtf8(text)),
                  SubstituteTokens(QString::fromUtf8(text), list, "^", "|"))
            << text;

    // Any value survives the list a store keeps.
    const tav::PieceTexts texts(
        {{"A", QString::fromUtf8("x|y^z\uFDD1")}, {"B", QString()}, {"A", "second"}});
    const tav::PieceTexts read = tav::PieceTexts::fromList(texts.toList());
    EXPECT_EQ(read.pairs(), texts.pairs());
    EXPECT_EQ(read.fill("<<A>>|<<B>>"), QString::fromUtf8("x|y^z\uFDD1|"));
}

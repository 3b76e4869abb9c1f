#include "piece_texts.h"
#include "qt_printers.h"
#include "str_lib.h"

#include <gtest/gtest.h>

using namespace tav::StrLib;

TEST(StrLib, SplittersCompareSeparatorsExactly) {
    EXPECT_EQ(TextBefore(QStringLiteral("8.5x11"), QStringLiteral("x")), QStringLiteral("8.5"));
    EXPECT_EQ(TextAfter(QStringLiteral("8.5x11"), QStringLiteral("x")), QStringLiteral("11"));
    EXPECT_EQ(TextBefore(QStringLiteral("8.5x11"), QStringLiteral("X")), QStringLiteral("8.5x11"));
    EXPECT_EQ(TextAfter(QStringLiteral("8.5x11"), QStringLiteral("X")), QString());
    EXPECT_EQ(TextAfterLast(QStringLiteral("Size 10 - Envelope"), QStringLiteral(" - ")),
              QStringLiteral("Envelope"));
    EXPECT_EQ(TextAfterLast(QStringLiteral("A - B - C"), QStringLiteral(" - ")),
              QStringLiteral("C"));
    EXPECT_EQ(TextAfterLast(QStringLiteral("Envelope"), QStringLiteral(" - ")),
              QStringLiteral("Envelope"));
}

TEST(StrLib, TrimSpacesRemovesSpacesOnly) {
    EXPECT_EQ(TrimSpaces(QStringLiteral("  x  ")), QStringLiteral("x"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("\tx\r\n")), QStringLiteral("\tx\r\n"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("    ")), QString());
}

TEST(StrLib, SubstituteTokensReplacesEveryOccurrenceOfEachNamedToken) {
    const QString pipe = QStringLiteral("|");
    const QString caret = QStringLiteral("^");
    EXPECT_EQ(SubstituteTokens(QStringLiteral("Dear <<Item1>>, <<Item1>>!"),
                               QStringLiteral("Item1^Ann|"), caret, pipe),
              QStringLiteral("Dear Ann, Ann!"));
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<Item1>> <<Item2>> <<Item3>>"),
                               QStringLiteral("Item1^Ann|Item2|Item3^x^y"), caret, pipe),
              QStringLiteral("Ann <<Item2>> x^y"));
    EXPECT_EQ(
        SubstituteTokens(QStringLiteral("<<Item1>>"), QStringLiteral("item1^Ann|"), caret, pipe),
        QStringLiteral("<<Item1>>"));
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<Item1>>"), QStringLiteral("   "), caret, pipe),
              QStringLiteral("<<Item1>>"));
    EXPECT_EQ(
        SubstituteTokens(QStringLiteral("<<A>>+<<B>>"), QStringLiteral("A^1| |B^2"), caret, pipe),
        QStringLiteral("1+2"));
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<Item1>>"), QStringLiteral("Item1^|"), caret, pipe),
              QString());
}

TEST(StrLib, SubstituteTokensReadsALongListAsAShortOne) {
    // Past a thousand characters the list is indexed instead of searched: the same rules hold.
    const QString padding = QStringLiteral("Pad^%1|").arg(QString(1100, QLatin1Char('x')));
    for (const QString& before : {QString(), padding}) {
        const QString list = before + QStringLiteral("A^<<B>>|B^b|A^second|Blank^ |");
        EXPECT_EQ(SubstituteTokens(QStringLiteral("<<A>>/<<B>>/<<C>>/<<Blank>>"), list,
                                   QStringLiteral("^"), QStringLiteral("|")),
                  QStringLiteral("<<B>>/b/<<C>>/ "))
            << list.size();
    }
}

TEST(StrLib, SubstituteTokensEndsWhenAValueHoldsItsOwnToken) {
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<Item1>> and <<Item1>>"),
                               QStringLiteral("Item1^<<Item1>>!|"), QStringLiteral("^"),
                               QStringLiteral("|")),
              QStringLiteral("<<Item1>>! and <<Item1>>!"));
    // A value is never scanned again: a cell holding another column's placeholder prints as
    // written, whichever entry comes first.
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<A>>"), QStringLiteral("A^<<B>>|B^b|"),
                               QStringLiteral("^"), QStringLiteral("|")),
              QStringLiteral("<<B>>"));
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<Name>>, <<Zip>>"),
                               QStringLiteral("Zip^62701|Name^<<Zip>>|"), QStringLiteral("^"),
                               QStringLiteral("|")),
              QStringLiteral("<<Zip>>, 62701"));
    // The first entry of a name counts; a "<<" that opens no known name stays text.
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<<A>> <<>> <<A"), QStringLiteral("A^1|A^2|^e"),
                               QStringLiteral("^"), QStringLiteral("|")),
              QStringLiteral("<1 e <<A"));
    // Without an item separator the whole list is one entry.
    EXPECT_EQ(SubstituteTokens(QStringLiteral("<<A>>"), QStringLiteral("A^1|B^2"),
                               QStringLiteral("^"), QString()),
              QStringLiteral("1|B^2"));
}

TEST(PieceTexts, ReadOnceTheyFillTemplatesAsTheListDoes) {
    const QString wide = [] {
        QString list;
        for (int i = 0; i < 40; ++i)
            list += QStringLiteral("Col%1^v%1|").arg(i);
        return list;
    }();
    const std::pair<const char*, QString> cases[] = {
        {"Dear <<Item1>>, <<Item1>>!", QStringLiteral("Item1^Ann|")},
        {"<<Item1>> <<Item2>> <<Item3>>", QStringLiteral("Item1^Ann|Item2|Item3^x^y")},
        {"<<Item1>>", QStringLiteral("item1^Ann|")},
        {"<<A>>+<<B>>", QStringLiteral("A^1| |B^2")},
        {"<<A>>/<<B>>/<<C>>", QStringLiteral("A^<<B>>|B^b|A^second|")},
        {"<<<A>> <<>> <<A", QStringLiteral("A^1|A^2|^e")},
        {"<<Col3>> <<Col39>> <<Col40>> <<Item1>>", wide + QStringLiteral("Item1^last|Col3^again")},
        {"<<V>>",
         QStringLiteral("V^") + tav::StrLib::EscapeValue(QString::fromUtf8("a|b^c\uFDD0"))},
    };
    for (const auto& [text, list] : cases)
        EXPECT_EQ(tav::PieceTexts::fromList(list).fill(QString::fromUtf8(text)),
                  SubstituteTokens(QString::fromUtf8(text), list, QStringLiteral("^"),
                                   QStringLiteral("|")))
            << text;

    // Any value survives the list a store keeps.
    const tav::PieceTexts texts({{QStringLiteral("A"), QString::fromUtf8("x|y^z\uFDD1")},
                                 {QStringLiteral("B"), QString()},
                                 {QStringLiteral("A"), QStringLiteral("second")}});
    const tav::PieceTexts read = tav::PieceTexts::fromList(texts.toList());
    EXPECT_EQ(read.pairs(), texts.pairs());
    EXPECT_EQ(read.fill(QStringLiteral("<<A>>|<<B>>")), QString::fromUtf8("x|y^z\uFDD1|"));
}

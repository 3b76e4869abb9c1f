#include "qt_printers.h"
#include "store_line.h"

#include <gtest/gtest.h>

using namespace tav;

namespace {

// Reads `count` fields from `bytes`, the source handing out windows of 1, 2, 3 bytes and the
// whole rest: a quote or line break across windows reads the same.
QStringList readAll(const QByteArray& bytes, int count) {
    QStringList first;
    for (const qsizetype window : {qsizetype(1), qsizetype(2), qsizetype(3), bytes.size() + 1}) {
        qsizetype pos = 0;
        StoreFieldReader reader(
            [&] {
                return QByteArrayView(bytes).sliced(pos).first(
                    std::min(window, bytes.size() - pos));
            },
            [&](qsizetype taken) { pos += taken; });
        QStringList fields;
        for (int i = 0; i < count; ++i)
            fields.append(reader.readField());
        if (first.isEmpty())
            first = fields;
        EXPECT_EQ(fields, first) << "windows of " << window;
    }
    return first;
}

} // namespace

TEST(StoreLine, OrdinaryValuesGiveThePlainThreeFieldLine) {
    QByteArray out;
    appendStoreLine(out, "A", QString(), QString());
    appendStoreLine(out, "Item1^Ann, Smith|Item2^1 Main St|", "62701", QString());
    EXPECT_EQ(out, QByteArray("\"A\",\"\",\"\"\r\n"
                              "\"Item1^Ann, Smith|Item2^1 Main St|\",\"62701\",\"\"\r\n"));
}

TEST(StoreLine, AnyValueReadsBackExactly) {
    const QStringList values = {"say \"hi\"",
                                "\"",
                                "\"\"",
                                "a,b",
                                "line\r\nbreak\nand\rmore",
                                "|^<<>>",
                                "Łódź Nguyễn 😀",
                                QString(),
                                "  padded  ",
                                "ends with quote\"",
                                QString(100000, QLatin1Char('x'))};
    QByteArray out;
    for (const QString& value : values)
        appendStoreLine(out, value, value, value);
    const QStringList back = readAll(out, static_cast<int>(values.size()) * 3);
    for (qsizetype i = 0; i < values.size(); ++i)
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(back.at(i * 3 + f), values.at(i)) << "value " << i << " field " << f;
}

TEST(StoreLine, ReaderToleratesForeignAndDamagedText) {
    // Unquoted fields lose their surrounding spaces; junk after a closing quote is skipped.
    EXPECT_EQ(readAll(" Substitute , BarCode,CarrierRoute\r\n", 3),
              (QStringList{"Substitute", "BarCode", "CarrierRoute"}));
    EXPECT_EQ(readAll("\"a\"junk,\"b\"\n\"c\"", 3), (QStringList{"a", "b", "c"}));
    // A quoted field cut off by the end gives what was there; further reads give nothing.
    EXPECT_EQ(readAll("\"unfinished", 2), (QStringList{"unfinished", QString()}));
    // Bytes that are not UTF-8 do not stop the reader.
    EXPECT_EQ(readAll("\"\xff\xfe\",\"ok\"", 2).at(1), "ok");
}

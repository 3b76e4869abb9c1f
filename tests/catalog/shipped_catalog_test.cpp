// Checks every entry of the catalogue that ships with the library; that each grid fits its paper
// is checked with the template library's (label_templates_test.cpp).

#include "cfg_lib.h"
#include "ini_lib.h"
#include "qt_printers.h"
#include "str_lib.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace tav;

namespace {

const QString kCatalog = QStringLiteral(MAILPIECE_DATA_DIR "/vardo.cfg");

// The keys of the Details section, in order.
QStringList detailKeys() {
    QFile file(kCatalog);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList keys;
    bool inDetails = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inDetails = line == QLatin1String("[Details]");
        else if (inDetails && line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0).trimmed();
    }
    return keys;
}

} // namespace

TEST(ShippedCatalog, EveryPieceIsListedDefinedAndFitsItsSheet) {
    QSet<QString> listed;
    int labels = 0;
    int envelopes = 0;
    for (const char* section : {CfgLib::LaserSection, CfgLib::DotMatrixSection}) {
        const QStringList products =
            IniLib::ProfileGetList(kCatalog, QLatin1String(section), "product", 100);
        ASSERT_FALSE(products.isEmpty()) << section;
        for (const QString& product : products) {
            const QStringList pieces = IniLib::ProfileGetList(kCatalog, product, "Piece", 200);
            EXPECT_FALSE(pieces.isEmpty()) << product.toStdString();
            for (const QString& piece : pieces) {
                listed.insert(piece);
                (piece.endsWith(QLatin1String("Envelope")) ? envelopes : labels)++;
                EXPECT_EQ(IniLib::ProfileGetString(kCatalog, "Details", piece)
                              .section(QLatin1Char(','), 0, 0),
                          product)
                    << piece.toStdString();
            }
        }
    }
    EXPECT_GE(labels, 40);
    EXPECT_GE(envelopes, 10);

    const QStringList keys = detailKeys();
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()), listed);
    for (const QString& piece : keys) {
        const QString record = IniLib::ProfileGetString(kCatalog, "Details", piece);
        const QStringList fields = record.split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 8) << piece.toStdString();
        const QString type = fields.last().trimmed();
        EXPECT_TRUE(type == QLatin1String("CUT") || type == QLatin1String("CONT"))
            << piece.toStdString();
    }
    // The best known sheet as its labels measure: 2-5/8 x 1 in, 3 across from 3/16 in, 10 down
    // from 1/2 in.
    EXPECT_EQ(IniLib::ProfileGetString(kCatalog, "Details", "5160 - Address"),
              "Address Labels,2.625x1,8.5x11,0.1875x0.5,2.75x1,3x10,Letter 8-1/2 x 11,CUT");
    EXPECT_TRUE(listed.contains("5264 - Shipping"));
    EXPECT_TRUE(listed.contains("Size 10 - Envelope"));
}

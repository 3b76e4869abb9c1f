#include "sample_piece.h"

#include "tav_barcode.h"
#include "tav_item.h"

std::unique_ptr<tav::TavPiece> makeSamplePiece() {
    auto piece = std::make_unique<tav::TavPiece>();
    piece->setObjectName(QStringLiteral("BrixPiece1"));
    piece->setTwipsGeometry(0, 0, 5760, 2880); // 4 × 2 inches
    piece->setBackColor(0xF0F0F0);
    piece->setBorderStyle(1);
    piece->setDepth(tav::TavPiece::PieceView);

    const QString substitute =
        QStringLiteral("Item1^Nguyễn Văn An|Item2^915 Bellaire Blvd, Suite 5|"
                       "Item3^Houston, TX   77036-1234|");
    struct Line {
        const char* name;
        const char* text;
        qint32 top;
        qint16 alignHorizontal;
        double size;
        bool bold;
    };
    const Line lines[] = {{"TavItem1", "<<Item1>>", 360, 0, 14, true},
                          {"TavItem2", "<<Item2>>", 720, 0, 12, false},
                          {"TavItem3", "<<Item3>>", 1080, 0, 12, false}};
    for (const Line& line : lines) {
        auto* item = new tav::TavItem(piece.get());
        item->setObjectName(QString::fromLatin1(line.name));
        item->setTwipsGeometry(360, line.top, 5040, 360);
        item->setTextControl(QString::fromLatin1(line.text));
        item->setTextSubstitute(substitute);
        item->setBorderStyle(0);
        item->setBackColor(0xFFFFFF);
        item->setAlignVertical(0);
        item->setAlignHorizontal(line.alignHorizontal);
        item->font()->setName(QStringLiteral("Arial"));
        item->font()->setSize(line.size);
        item->font()->setBold(line.bold);
    }
    auto* barcode = new tav::TavBarcode(piece.get());
    barcode->setObjectName(QStringLiteral("TavBarcode1"));
    barcode->setTwipsGeometry(360, 1800, 4320, 360);
    barcode->setBarCode(QStringLiteral("77036-1234"));
    barcode->setBackColor(0xFFFFFF);
    barcode->setAlignVertical(2);
    return piece;
}

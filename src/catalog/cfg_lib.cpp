#include "cfg_lib.h"

#include "catalogue.h"
#include "dir_lib.h"
#include "ini_lib.h"
#include "message_sink.h"
#include "sheet_turn.h"
#include "str_lib.h"
#include "tav_sheet_cls.h"

#include <QFileInfo>

namespace tav::CfgLib {

namespace {

// The system catalogue is read with the template library and the user's catalogue; any other
// file alone.
QString detailsRecord(const QString& file, const QString& pieceName) {
    if (!file.isEmpty() &&
        QFileInfo(file) == QFileInfo(DirLib::SystemDirectory() + QLatin1String(CatalogFileName)))
        return Catalogue::recordOf(pieceName);
    return IniLib::ProfileGetValue(file, QLatin1String(DetailsSection), pieceName, QString());
}

} // namespace

QString CatalogPath() {
    const QString path = DirLib::SystemDirectory() + QLatin1String(CatalogFileName);
    if (DirLib::FileExists(path))
        return path;
    showMessage(QString::fromLatin1(MissingMessage));
    return {};
}

QString CatalogRecord(const QString& pieceName) {
    return detailsRecord(CatalogPath(), pieceName);
}

QString MakeRecord(const QString& product, const SheetGeometry& g, const QString& paperName,
                   bool roll, bool turned) {
    const auto number = [](double value) {
        QString text = QString::number(value, 'f', 5);
        while (text.contains(QLatin1Char('.')) &&
               (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
            text.chop(1);
        return text;
    };
    QString record = QStringLiteral("%1,%2x%3,%4x%5,%6x%7,%8x%9,%10x%11,%12,%13")
                         .arg(product, number(g.pieceWidth), number(g.pieceHeight),
                              number(g.sheetWidth), number(g.sheetHeight), number(g.left),
                              number(g.top), number(g.pitchAcross), number(g.pitchDown))
                         .arg(g.across)
                         .arg(g.down)
                         .arg(paperName, roll ? QLatin1String(RollPaper) : QLatin1String("CUT"));
    if (turned)
        record += QLatin1Char(',') + QLatin1String(TurnedPieces);
    return record;
}

QStringList RecordFields(const QString& record) {
    QString rest = record;
    QStringList fields{QString()};
    const QString comma = QStringLiteral(",");
    for (int field = 1; field <= 9; ++field) {
        fields << StrLib::TextBefore(rest, comma);
        rest = StrLib::TextAfter(rest, comma);
    }
    return fields;
}

qint16 CatalogPaperType(const QString& pieceName) {
    const QString type = RecordFields(CatalogRecord(pieceName)).at(8).toUpper().trimmed();
    if (type == QLatin1String(RollPaper))
        return RollPaperType;
    return type == QLatin1String("CONT") ? 2 : 1;
}

QString CatalogProduct(const QString& pieceName) {
    return StrLib::TextBefore(CatalogRecord(pieceName), QStringLiteral(","));
}

void ApplySheetDefinition(const QString& file, TavSheetCls& sheet) {
    const QStringList fields = RecordFields(detailsRecord(file, sheet.PieceName()));
    const QString x = QStringLiteral("x");
    const auto first = [&](int field) { return StrLib::TextBefore(fields.at(field), x); };
    const auto second = [&](int field) { return StrLib::TextAfter(fields.at(field), x); };
    const auto measure = [](const QString& text) {
        return static_cast<float>(IniLib::ToNumber(text));
    };
    // The record gives the paper as the printer feeds it; turned pieces are then read turned.
    sheet.setPieceRotation(0);
    sheet.setWidth(measure(first(3)));
    sheet.setHeight(measure(second(3)));
    sheet.setMarginleft(measure(first(4)));
    sheet.setMarginTop(measure(second(4)));
    sheet.setPiecePitchDown(measure(second(5)));
    sheet.setPiecePitchAcross(measure(first(5)));
    sheet.setPieceWidth(measure(first(2)));
    sheet.setPieceHeight(measure(second(2)));
    sheet.setNumAcross(IniLib::ToCount(first(6)));
    sheet.setNumDown(IniLib::ToCount(second(6)));
    if (fields.at(9).trimmed() == QLatin1String(TurnedPieces))
        turnSheet(sheet, 90);
}

} // namespace tav::CfgLib

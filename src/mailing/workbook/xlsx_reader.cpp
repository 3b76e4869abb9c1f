// Office Open XML workbooks (.xlsx, .xlsm): the zip's workbook part names the sheets, the shared
// strings and styles parts give texts and number formats, and each sheet's rows are streamed.

#include "number_format.h"
#include "workbook_reader.h"

#include <QHash>

#include <vector>

namespace tav {

namespace {

using Token = QXmlStreamReader::TokenType;

// "../worksheets/sheet1.xml" from "xl/" is "xl/worksheets/sheet1.xml"; "/xl/x.xml" is absolute.
QString resolvePart(const QString& folder, const QString& target) {
    QStringList parts = target.startsWith(QLatin1Char('/'))
                            ? QStringList()
                            : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& step : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (step == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (step != QLatin1String("."))
            parts << step;
    }
    return parts.join(QLatin1Char('/'));
}

// The parts a part's relationships name, by id, and the first of each type (the type's last
// word: "worksheet", "sharedStrings", "styles", "officeDocument").
struct Relationships {
    QHash<QString, QString> byId;
    QHash<QString, QString> byType;
};

Relationships readRelationships(const ZipArchive& zip, const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = part.left(slash + 1);
    const QString relsPart =
        folder + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
    Relationships rels;
    if (!zip.contains(relsPart))
        return rels;
    XmlPart xml(zip, relsPart, kLargestHeldPart);
    while (xml.next() != Token::EndDocument) {
        if (xml.xml().tokenType() != Token::StartElement ||
            xml.xml().name() != QLatin1String("Relationship") ||
            xml.attribute(QLatin1StringView("TargetMode")) == QLatin1String("External"))
            continue;
        const QString target =
            resolvePart(folder, xml.attribute(QLatin1StringView("Target")).toString());
        rels.byId.insert(xml.attribute(QLatin1StringView("Id")).toString(), target);
        const QString type =
            xml.attribute(QLatin1StringView("Type")).toString().section(QLatin1Char('/'), -1);
        if (!rels.byType.contains(type))
            rels.byType.insert(type, target);
    }
    return rels;
}

// All shared strings in one buffer: a workbook of 100,000 addresses holds close to a million.
class SharedStrings {
public:
    // The buffer the next string is appended to.
    QString& next() {
        starts_.push_back(text_.size());
        return text_;
    }
    std::optional<QString> at(qsizetype index) const {
        if (index < 0 || index >= static_cast<qsizetype>(starts_.size()))
            return std::nullopt;
        const qsizetype end =
            index + 1 < static_cast<qsizetype>(starts_.size()) ? starts_[index + 1] : text_.size();
        return text_.mid(starts_[index], end - starts_[index]);
    }

private:
    QString text_;
    std::vector<qsizetype> starts_;
};

// The text of a string item (<si> or <is>), appended to `text`: its runs joined, phonetic
// guides (<rPh>) left out.
void appendStringItem(XmlPart& xml, QString& text) {
    xml.walkElement([&] {
        if (xml.xml().name() == QLatin1String("rPh"))
            xml.elementText();
        else if (xml.xml().name() == QLatin1String("t"))
            xml.appendElementText(text);
        else
            return false; // a run: its text is inside
        return true;
    });
}

// What a cell's "t" says its value is.
enum class CellType { Number, Shared, Inline, Boolean, Text };

CellType cellType(QStringView type) {
    if (type.isEmpty() || type == QLatin1String("n"))
        return CellType::Number;
    if (type == QLatin1String("s"))
        return CellType::Shared;
    if (type == QLatin1String("inlineStr"))
        return CellType::Inline;
    return type == QLatin1String("b") ? CellType::Boolean : CellType::Text; // str, e, d
}

// "BC12" is column 54 (from 0); none when the reference has no letters or is past the last.
std::optional<int> columnOf(QStringView reference) {
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference.at(i).isLetter(); ++i) {
        column = column * 26 + (reference.at(i).toUpper().unicode() - 'A' + 1);
        if (column > kLargestColumnCount)
            return std::nullopt;
    }
    return i == 0 ? std::nullopt : std::optional<int>(column - 1);
}

class XlsxReader : public WorkbookReader {
public:
    XlsxReader(const QString& path, const QString& shownName)
        : zip_(path, shownName) {
        const QString workbook =
            readRelationships(zip_, QString())
                .byType.value(QStringLiteral("officeDocument"), QStringLiteral("xl/workbook.xml"));
        const Relationships rels = readRelationships(zip_, workbook);
        readWorkbook(workbook, rels);
        if (const QString styles = rels.byType.value(QStringLiteral("styles"));
            zip_.contains(styles))
            readStyles(styles);
        if (const QString strings = rels.byType.value(QStringLiteral("sharedStrings"));
            zip_.contains(strings))
            readSharedStrings(strings);
    }

    QStringList sheetNames() override {
        QStringList names;
        for (const auto& [name, part] : sheets_)
            names << name;
        return names;
    }

    void openSheet(int index) override {
        sheet_ = std::make_unique<XmlPart>(zip_, sheets_.at(index).second, kLargestPart);
        lastRow_ = 0;
    }

    bool nextRow(qint64& number, QStringList& cells) override {
        while (sheet_->next() != Token::EndDocument) {
            if (sheet_->xml().tokenType() != Token::StartElement ||
                sheet_->xml().name() != QLatin1String("row"))
                continue;
            const qint64 numbered = sheet_->attribute(QLatin1StringView("r")).toLongLong();
            lastRow_ = numbered > 0 ? numbered : lastRow_ + 1;
            if (readRow(cells)) {
                number = lastRow_;
                return true;
            }
        }
        return false;
    }

private:
    void readWorkbook(const QString& part, const Relationships& rels) {
        XmlPart xml(zip_, part, kLargestHeldPart);
        while (xml.next() != Token::EndDocument) {
            if (xml.xml().tokenType() != Token::StartElement)
                continue;
            if (xml.xml().name() == QLatin1String("workbookPr")) {
                const QStringView date1904 = xml.attribute(QLatin1StringView("date1904"));
                date1904_ = date1904 == QLatin1String("1") || date1904 == QLatin1String("true");
            } else if (xml.xml().name() == QLatin1String("sheet")) {
                const QString target =
                    rels.byId.value(xml.attribute(QLatin1StringView("id")).toString());
                if (zip_.contains(target))
                    sheets_.emplace_back(xml.attribute(QLatin1StringView("name")).toString(),
                                         target);
            }
        }
    }

    void readStyles(const QString& part) {
        XmlPart xml(zip_, part, kLargestHeldPart);
        QHash<int, QString> codes;
        bool inCellFormats = false;
        while (xml.next() != Token::EndDocument) {
            const QStringView name = xml.xml().name();
            if (xml.xml().tokenType() == Token::EndElement && name == QLatin1String("cellXfs"))
                inCellFormats = false;
            if (xml.xml().tokenType() != Token::StartElement)
                continue;
            if (name == QLatin1String("numFmt"))
                codes.insert(xml.attribute(QLatin1StringView("numFmtId")).toInt(),
                             xml.attribute(QLatin1StringView("formatCode")).toString());
            else if (name == QLatin1String("cellXfs"))
                inCellFormats = true;
            else if (name == QLatin1String("xf") && inCellFormats) {
                const int id = xml.attribute(QLatin1StringView("numFmtId")).toInt();
                formats_ << codes.value(id, builtInFormat(id));
            }
        }
    }

    void readSharedStrings(const QString& part) {
        XmlPart xml(zip_, part, kLargestHeldPart);
        while (xml.next() != Token::EndDocument)
            if (xml.xml().tokenType() == Token::StartElement &&
                xml.xml().name() == QLatin1String("si"))
                appendStringItem(xml, strings_.next());
    }

    // The row's cells up to its end; whether any holds a value.
    bool readRow(QStringList& cells) {
        cells.clear();
        bool any = false;
        sheet_->walkElement([&] {
            if (sheet_->xml().name() != QLatin1String("c"))
                return false;
            any = readCell(cells) || any;
            return true;
        });
        return any;
    }

    // One <c> element into its column; whether it holds a value.
    bool readCell(QStringList& cells) {
        const QStringView reference = sheet_->attribute(QLatin1StringView("r"));
        const std::optional<int> column =
            reference.isEmpty() ? std::optional<int>(cells.size()) : columnOf(reference);
        if (!column || *column >= kLargestColumnCount)
            workbookFailure(zip_.shownName(),
                            QStringLiteral("row %1 has a cell %2 past the last column")
                                .arg(lastRow_)
                                .arg(reference));
        // The attributes are gone after the next token: kept as small values.
        const CellType type = cellType(sheet_->attribute(QLatin1StringView("t")));
        const qsizetype style = sheet_->attribute(QLatin1StringView("s")).toLongLong();
        value_.resize(0); // its room is kept from cell to cell
        QString inlineText;
        sheet_->walkElement([&] {
            if (sheet_->xml().name() == QLatin1String("v"))
                sheet_->appendElementText(value_);
            else if (sheet_->xml().name() == QLatin1String("is"))
                appendStringItem(*sheet_, inlineText);
            else
                sheet_->elementText(); // a formula: its cached value is <v>
            return true;
        });
        const QString text = shown(type, inlineText, style);
        while (cells.size() <= *column)
            cells << QString();
        cells[*column] = text;
        return !text.isEmpty();
    }

    // The cell's value_ as the spreadsheet shows it.
    QString shown(CellType type, const QString& inlineText, qsizetype style) const {
        const QString& value = value_;
        if (type == CellType::Inline)
            return inlineText;
        if (type == CellType::Shared) {
            bool ok = false;
            const std::optional<QString> text = strings_.at(QStringView(value).toLongLong(&ok));
            if (!ok || !text)
                workbookFailure(zip_.shownName(),
                                QStringLiteral("the workbook is damaged: row %1 refers to a "
                                               "text it lacks")
                                    .arg(lastRow_));
            return *text;
        }
        if (type == CellType::Boolean)
            return value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        if (type == CellType::Text)
            return value; // a formula's text, an error (#N/A), an ISO date
        if (value.isEmpty())
            return {};
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return value;
        return formatNumber(number,
                            style >= 0 && style < formats_.size() ? formats_.at(style) : QString(),
                            date1904_);
    }

    ZipArchive zip_;
    std::vector<std::pair<QString, QString>> sheets_; // name, part
    bool date1904_ = false;
    QStringList formats_; // by style index
    SharedStrings strings_;
    std::unique_ptr<XmlPart> sheet_;
    qint64 lastRow_ = 0;
    QString value_; // the <v> of the cell being read
};

} // namespace

std::unique_ptr<WorkbookReader> openXlsx(const QString& path, const QString& shownName) {
    return std::make_unique<XlsxReader>(path, shownName);
}

} // namespace tav

// OpenDocument spreadsheets (.ods): every sheet is a table in the zip's content part, and each
// cell carries the text the spreadsheet shows, so no number format is applied here.

#include "number_format.h"
#include "workbook_reader.h"

namespace tav {

namespace {

using Token = QXmlStreamReader::TokenType;

const QLatin1StringView kContent("content.xml");

bool starts(const XmlPart& xml, QLatin1StringView name) {
    return xml.xml().tokenType() == Token::StartElement && xml.xml().name() == name;
}

qint64 repeated(const XmlPart& xml, QLatin1StringView attribute) {
    return std::max<qint64>(1, xml.attribute(attribute).toLongLong());
}

// A paragraph's text: spans and links read through, spaces, tabs and line breaks as written.
void appendParagraph(XmlPart& xml, QString& text) {
    xml.walkElement(
        [&] {
            const QStringView name = xml.xml().name();
            if (name == QLatin1String("s"))
                text += QString(std::min<qint64>(repeated(xml, QLatin1StringView("c")), 1024),
                                QLatin1Char(' '));
            else if (name == QLatin1String("tab"))
                text += QLatin1Char('\t');
            else if (name == QLatin1String("line-break"))
                text += QLatin1Char('\n');
            else if (name == QLatin1String("annotation")) {
                xml.elementText(); // a comment is not the cell's value
                return true;
            }
            return false; // spans and links: their text is the paragraph's
        },
        [&](QStringView part) { text += part; });
}

// A cell's value when it has no paragraph (some writers leave numbers so).
QString typedValue(const XmlPart& xml) {
    const QStringView type = xml.attribute(QLatin1StringView("value-type"));
    if (type == QLatin1String("date"))
        return xml.attribute(QLatin1StringView("date-value")).toString();
    if (type == QLatin1String("time"))
        return xml.attribute(QLatin1StringView("time-value")).toString();
    if (type == QLatin1String("boolean"))
        return xml.attribute(QLatin1StringView("boolean-value")) == QLatin1String("true")
                   ? QStringLiteral("TRUE")
                   : QStringLiteral("FALSE");
    bool ok = false;
    const double value = xml.attribute(QLatin1StringView("value")).toDouble(&ok);
    return ok ? formatNumber(value, QString()) : QString();
}

class OdsReader : public WorkbookReader {
public:
    OdsReader(const QString& path, const QString& shownName)
        : zip_(path, shownName) {
        if (!zip_.contains(kContent))
            workbookFailure(shownName, QStringLiteral("it is not an OpenDocument spreadsheet"));
    }

    QStringList sheetNames() override {
        if (names_.isEmpty()) {
            XmlPart xml(zip_, kContent, kLargestPart);
            while (xml.next() != Token::EndDocument)
                if (starts(xml, QLatin1StringView("table"))) {
                    names_ << xml.attribute(QLatin1StringView("name")).toString();
                    xml.elementText(); // its rows are not needed for its name
                }
        }
        return names_;
    }

    void openSheet(int index) override {
        content_ = std::make_unique<XmlPart>(zip_, kContent, kLargestPart);
        for (int seen = -1; seen < index;) {
            if (content_->next() == Token::EndDocument)
                workbookFailure(zip_.shownName(),
                                QStringLiteral("it has no sheet %1").arg(index + 1));
            if (starts(*content_, QLatin1StringView("table")) && ++seen < index)
                content_->elementText();
        }
        row_ = 0;
        pending_ = 0;
    }

    bool nextRow(qint64& number, QStringList& cells) override {
        if (pending_ > 0) {
            --pending_;
            number = ++row_;
            cells = repeatedCells_;
            return true;
        }
        for (int depth = 1; depth > 0;) {
            const Token token = content_->next();
            if (token == Token::EndDocument)
                return false;
            if (token == Token::EndElement) {
                --depth;
            } else if (starts(*content_, QLatin1StringView("table-row"))) {
                const qint64 times = repeated(*content_, QLatin1StringView("number-rows-repeated"));
                if (!readRow(cells)) {
                    row_ += times; // empty rows, often a million of them at the end
                    continue;
                }
                number = ++row_;
                pending_ = times - 1;
                if (pending_ > 0)
                    repeatedCells_ = cells;
                return true;
            } else if (token == Token::StartElement) {
                ++depth; // header rows and row groups hold rows too
            }
        }
        return false;
    }

private:
    // One row's cells; whether any holds a value. Repeated empty cells are only counted, so the
    // thousand empty columns a spreadsheet writes after the last cost nothing.
    bool readRow(QStringList& cells) {
        cells.clear();
        qint64 emptyCells = 0;
        content_->walkElement([&] {
            const QStringView name = content_->xml().name();
            if (name != QLatin1String("table-cell") && name != QLatin1String("covered-table-cell"))
                return false;
            const qint64 times = repeated(*content_, QLatin1StringView("number-columns-repeated"));
            const QString text = cellText();
            if (text.isEmpty()) {
                emptyCells += times;
                return true;
            }
            if (cells.size() + emptyCells + times > kLargestColumnCount)
                workbookFailure(
                    zip_.shownName(),
                    QStringLiteral("row %1 has a value past the last column").arg(row_ + 1));
            for (; emptyCells > 0; --emptyCells)
                cells << QString();
            for (qint64 k = 0; k < times; ++k)
                cells << text;
            return true;
        });
        return !cells.isEmpty();
    }

    // The cell just started, up to its end: its paragraphs, one a line.
    QString cellText() {
        const QString typed = typedValue(*content_);
        QString text;
        bool paragraphs = false;
        content_->walkElement([&] {
            if (starts(*content_, QLatin1StringView("p"))) {
                if (paragraphs)
                    text += QLatin1Char('\n');
                paragraphs = true;
                appendParagraph(*content_, text);
            } else {
                content_->elementText(); // a comment, a drawing: not the value
            }
            return true;
        });
        return paragraphs ? text : typed;
    }

    ZipArchive zip_;
    QStringList names_;
    std::unique_ptr<XmlPart> content_;
    qint64 row_ = 0;
    qint64 pending_ = 0; // times the last row is repeated yet
    QStringList repeatedCells_;
};

} // namespace

std::unique_ptr<WorkbookReader> openOds(const QString& path, const QString& shownName) {
    return std::make_unique<OdsReader>(path, shownName);
}

} // namespace tav

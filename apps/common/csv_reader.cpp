#include "csv_reader.h"

#include "tav_error.h"

#include <QFile>
#include <QStringDecoder>

namespace mailpiece {

namespace {

// Splits the bytes into records of raw fields; quote, comma, CR and LF are ASCII, so working on
// UTF-8 bytes is safe.
class RecordSplitter {
public:
    explicit RecordSplitter(const QByteArray& data)
        : data_(data) {
        if (data_.startsWith("\xEF\xBB\xBF"))
            pos_ = 3;
    }

    bool atEnd() const { return pos_ >= data_.size(); }
    qsizetype line() const { return line_; }

    // Reads one record; returns an error message (empty when the record is well formed).
    QString next(std::vector<QByteArray>& fields) {
        fields.clear();
        QString error;
        QByteArray field;
        bool quoted = false;
        bool afterQuote = false;
        while (pos_ < data_.size()) {
            const char c = data_.at(pos_++);
            if (quoted) {
                if (c == '"') {
                    if (pos_ < data_.size() && data_.at(pos_) == '"') {
                        field.append('"');
                        ++pos_;
                    } else {
                        quoted = false;
                        afterQuote = true;
                    }
                } else {
                    if (c == '\n')
                        ++line_;
                    field.append(c);
                }
                continue;
            }
            if (c == ',') {
                fields.push_back(std::exchange(field, {}));
                afterQuote = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && pos_ < data_.size() && data_.at(pos_) == '\n')
                    ++pos_;
                ++line_;
                fields.push_back(field);
                return error;
            } else if (c == '"' && field.isEmpty() && !afterQuote) {
                quoted = true;
            } else if (afterQuote || c == '"') {
                if (error.isEmpty())
                    error = QStringLiteral("a double quote inside a field must be doubled and "
                                           "the field quoted");
                field.append(c);
            } else {
                field.append(c);
            }
        }
        if (quoted)
            error = QStringLiteral("a quoted field is not closed before the end of the file");
        fields.push_back(field);
        return error;
    }

private:
    const QByteArray& data_;
    qsizetype pos_ = 0;
    qsizetype line_ = 1;
};

bool decode(const std::vector<QByteArray>& raw, QStringList& out) {
    out.clear();
    for (const QByteArray& bytes : raw) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        out.append(decoder.decode(bytes));
        if (decoder.hasError())
            return false;
    }
    return true;
}

bool isBlank(const std::vector<QByteArray>& raw) {
    return raw.size() == 1 && raw.front().trimmed().isEmpty();
}

} // namespace

CsvTable readCsv(const QByteArray& data) {
    CsvTable table;
    RecordSplitter splitter(data);
    std::vector<QByteArray> raw;
    bool haveHeader = false;
    while (!splitter.atEnd()) {
        const qsizetype line = splitter.line();
        const QString error = splitter.next(raw);
        if (isBlank(raw) && error.isEmpty())
            continue;
        QStringList fields;
        const bool usable = error.isEmpty() && decode(raw, fields);
        if (!haveHeader) {
            // A damaged header leaves no columns: every record after it is then reported.
            haveHeader = true;
            if (usable)
                table.header = fields;
            else
                table.problems.push_back(
                    {line, QStringLiteral("unusable header: %1")
                               .arg(error.isEmpty() ? QStringLiteral("the text is not valid UTF-8")
                                                    : error)});
        } else if (!error.isEmpty()) {
            table.problems.push_back({line, error});
        } else if (!usable) {
            table.problems.push_back({line, QStringLiteral("the text is not valid UTF-8")});
        } else if (fields.size() != table.header.size()) {
            table.problems.push_back({line, QStringLiteral("%1 fields where the header has %2")
                                                .arg(fields.size())
                                                .arg(table.header.size())});
        } else {
            table.rows.push_back({line, fields});
        }
    }
    return table;
}

CsvTable readCsvFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        tav::raiseError(tav::ErrorNumber::PathFileAccess, QStringLiteral("readCsvFile"),
                        QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return readCsv(file.readAll());
}

} // namespace mailpiece

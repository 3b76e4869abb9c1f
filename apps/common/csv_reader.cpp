#include "csv_reader.h"

#include <QBuffer>
#include <QStringDecoder>

namespace mailpiece {

namespace {

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

// Splits the input into records of raw fields; quote, comma, CR and LF are ASCII, so working on
// UTF-8 bytes is safe.
class CsvReader::Splitter {
public:
    explicit Splitter(QIODevice& input)
        : input_(input) {
        if (peek() == 0xEF && buffer_.startsWith("\xEF\xBB\xBF"))
            pos_ = 3;
    }

    bool atEnd() { return peek() < 0; }
    qsizetype line() const { return line_; }

    // After a bad record that ran over several lines (most often a quote that was never
    // closed), reads on from its second line, so that only its first line is lost.
    void resumeAfterFirstLine() {
        const qsizetype lineEnd = record_.indexOf('\n');
        if (lineEnd < 0 || lineEnd + 1 >= record_.size())
            return;
        buffer_ = record_.mid(lineEnd + 1) + buffer_.mid(pos_);
        pos_ = 0;
        line_ = recordLine_ + 1;
        record_.clear();
    }

    // Reads one record; returns an error message (empty when the record is well formed).
    QString next(std::vector<QByteArray>& fields) {
        fields.clear();
        record_.clear();
        recordLine_ = line_;
        QString error;
        QByteArray field;
        bool quoted = false;
        bool afterQuote = false;
        for (int c = take(); c >= 0; c = take()) {
            if (record_.size() > kLongestRecordBytes) {
                fields.push_back(field);
                return QStringLiteral("the record is longer than %1 MiB: a quote never closed?")
                    .arg(kLongestRecordBytes / (1024 * 1024));
            }
            if (quoted) {
                if (c == '"') {
                    if (peek() == '"') {
                        field.append('"');
                        take();
                    } else {
                        quoted = false;
                        afterQuote = true;
                    }
                } else {
                    if (c == '\n')
                        ++line_;
                    field.append(static_cast<char>(c));
                }
                continue;
            }
            if (c == ',') {
                fields.push_back(std::exchange(field, {}));
                afterQuote = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && peek() == '\n')
                    take();
                ++line_;
                fields.push_back(field);
                return error;
            } else if (c == '"' && field.isEmpty() && !afterQuote) {
                quoted = true;
            } else {
                if ((afterQuote || c == '"') && error.isEmpty())
                    error = QStringLiteral("a double quote inside a field must be doubled and "
                                           "the field quoted");
                field.append(static_cast<char>(c));
            }
        }
        if (quoted)
            error = QStringLiteral("a quoted field opened here is not closed");
        fields.push_back(field);
        return error;
    }

private:
    int peek() {
        if (pos_ >= buffer_.size()) {
            buffer_ = input_.read(64 * 1024);
            pos_ = 0;
        }
        return pos_ < buffer_.size() ? static_cast<unsigned char>(buffer_.at(pos_)) : -1;
    }
    int take() {
        const int c = peek();
        if (c >= 0) {
            ++pos_;
            record_.append(static_cast<char>(c));
        }
        return c;
    }

    // A bad record is read again from its second line, so its bytes are kept until it ends;
    // this bounds them.
    static constexpr qsizetype kLongestRecordBytes = 16 * 1024 * 1024;

    QIODevice& input_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype line_ = 1;
    QByteArray record_;        // the bytes of the record being read
    qsizetype recordLine_ = 1; // the line it starts on
};

CsvReader::CsvReader(QIODevice& input)
    : splitter_(std::make_unique<Splitter>(input)) {
    std::vector<QByteArray> raw;
    while (!splitter_->atEnd()) {
        const qsizetype line = splitter_->line();
        const QString error = splitter_->next(raw);
        if (isBlank(raw) && error.isEmpty())
            continue;
        // A damaged header leaves no columns: every record after it is then reported.
        if (error.isEmpty() && decode(raw, header_))
            return;
        header_.clear();
        problems_.push_back(
            {line,
             QStringLiteral("unusable header: %1")
                 .arg(error.isEmpty() ? QStringLiteral("the text is not valid UTF-8") : error)});
        return;
    }
}

CsvReader::~CsvReader() = default;

bool CsvReader::next(CsvRow& row) {
    std::vector<QByteArray> raw;
    while (!splitter_->atEnd()) {
        const qsizetype line = splitter_->line();
        const QString error = splitter_->next(raw);
        if (isBlank(raw) && error.isEmpty())
            continue;
        const bool countMatches = raw.size() == static_cast<std::size_t>(header_.size());
        if (!error.isEmpty() || !countMatches)
            splitter_->resumeAfterFirstLine();
        if (!error.isEmpty()) {
            problems_.push_back({line, error});
        } else if (!decode(raw, row.fields)) {
            problems_.push_back({line, QStringLiteral("the text is not valid UTF-8")});
        } else if (row.fields.size() != header_.size()) {
            problems_.push_back({line, QStringLiteral("%1 fields where the header has %2")
                                           .arg(row.fields.size())
                                           .arg(header_.size())});
        } else {
            row.line = line;
            return true;
        }
    }
    return false;
}

CsvTable readCsv(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    CsvTable table;
    table.header = reader.header();
    CsvRow row;
    while (reader.next(row))
        table.rows.push_back(row);
    table.problems = reader.problems();
    return table;
}

} // namespace mailpiece

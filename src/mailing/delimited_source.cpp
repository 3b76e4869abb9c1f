#include "delimited_source.h"

#include "mailing_file.h"
#include "tav_error.h"

#include <QFile>
#include <QStringDecoder>

#include <array>
#include <cstdio>
#include <optional>
#include <utility>

namespace tav {

namespace {

const QString kSource = QStringLiteral("DelimitedSource");
constexpr qsizetype kChunkBytes = 64 * 1024;
// A bad record is read again from its second line, so its bytes are kept until it ends; this
// bounds them (and how far the header line is searched for separators).
constexpr qsizetype kLongestRecordBytes = 16 * 1024 * 1024;
constexpr std::array<char, 4> kSeparators = {',', ';', '\t', '|'};

bool isBlank(const std::vector<QByteArray>& raw) {
    return raw.size() == 1 && raw.front().trimmed().isEmpty();
}

// Whether `name`'s decoder reads the ASCII separators, quotes and line ends as single bytes, so
// that records can be split before they are decoded.
bool asciiCompatible(const QString& name) {
    QStringDecoder decoder(name.toLatin1().constData());
    const QByteArray probe = ",;\t|\"\r\nAZaz09";
    return decoder.isValid() && QString(decoder.decode(probe)) == QString::fromLatin1(probe);
}

} // namespace

// Splits the input into records of raw fields and decodes them. Encodings whose separators are
// not single ASCII bytes (UTF-16) are turned into UTF-8 as they are read, so the splitting always
// works on bytes.
class DelimitedSource::Reader {
public:
    Reader(QIODevice& input, const Options& options)
        : input_(input) {
        chooseEncoding(options.encoding);
        if (!options.delimiter.isNull()) {
            const char16_t c = options.delimiter.unicode();
            if (c >= 128 || c == '"' || c == '\r' || c == '\n')
                raiseError(ErrorNumber::InvalidArgument, kSource,
                           QStringLiteral("the separator \"%1\" cannot separate fields (a quote, a "
                                          "line end or not ASCII)")
                               .arg(options.delimiter));
            delimiter_ = static_cast<char>(c);
        } else {
            delimiter_ = detectSeparator();
        }
    }

    char delimiter() const { return delimiter_; }
    QString encoding() const { return encodingName_; }
    bool atEnd() { return peek() < 0; }

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
                    if (c == '\n' || (c == '\r' && peek() != '\n'))
                        ++line_;
                    field.append(static_cast<char>(c));
                }
                continue;
            }
            if (c == delimiter_) {
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

    // Reads the next record that is not blank into `fields`; false at the end. `line` is where
    // it starts, `error` what is wrong with its form ("" when nothing is).
    bool nextRecord(std::vector<QByteArray>& fields, qsizetype& line, QString& error) {
        while (!atEnd()) {
            line = line_;
            error = next(fields);
            if (!isBlank(fields) || !error.isEmpty())
                return true;
        }
        return false;
    }

    // After a bad record that ran over several lines (most often a quote that was never
    // closed), reads on from its second line, so that only its first line is lost.
    void resumeAfterFirstLine() {
        qsizetype lineEnd = record_.indexOf('\n');
        const qsizetype cr = record_.indexOf('\r');
        if (cr >= 0 && (lineEnd < 0 || cr < lineEnd))
            lineEnd = cr + 1 < record_.size() && record_.at(cr + 1) == '\n' ? cr + 1 : cr;
        if (lineEnd < 0 || lineEnd + 1 >= record_.size())
            return;
        buffer_ = record_.mid(lineEnd + 1) + buffer_.mid(pos_);
        pos_ = 0;
        line_ = recordLine_ + 1;
        record_.clear();
    }

    // The fields as text; nothing when they are not text in the encoding (a named UTF-8).
    // `remark` says so when the guessed encoding had to change.
    std::optional<QStringList> decode(const std::vector<QByteArray>& raw, qsizetype line,
                                      QString& remark) {
        QStringList out;
        for (const QByteArray& bytes : raw) {
            if (fieldDecoder_) {
                out.append(QString(fieldDecoder_->decode(bytes)));
                continue;
            }
            // Stateless: a field that ends inside a character is an error, not a character
            // held back for bytes that never come.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = utf8.decode(bytes);
            if (utf8.hasError()) {
                if (!guessing_)
                    return std::nullopt;
                guessing_ = false;
                if (sawUtf8_ || mostlyUtf8Ahead()) {
                    // A UTF-8 file with a few bad bytes: those rows are reported, the rest read
                    // as what they are.
                    remark = QStringLiteral("line %1 holds bytes that are not UTF-8; the file is "
                                            "read as UTF-8, and such lines are left out")
                                 .arg(line);
                    return std::nullopt;
                }
                // Not UTF-8: an 8-bit file, which is most likely Windows-1252 (a superset of
                // Latin-1). Earlier lines were ASCII and read the same either way.
                fieldDecoder_.emplace("Windows-1252");
                encodingName_ = QStringLiteral("Windows-1252");
                remark = QStringLiteral("the text is not UTF-8 (first at line %1); it is read as "
                                        "Windows-1252")
                             .arg(line);
                return decode(raw, line, remark);
            }
            sawUtf8_ = sawUtf8_ || std::any_of(text.cbegin(), text.cend(),
                                               [](QChar c) { return c.unicode() >= 0x80; });
            out.append(std::move(text));
        }
        return out;
    }

private:
    // Whether the text read ahead (at least a chunk) holds more UTF-8 letters beyond ASCII than
    // bytes that are not UTF-8: one bad byte in a UTF-8 file does not make it Windows-1252.
    bool mostlyUtf8Ahead() {
        peekAt(kChunkBytes); // as much as there is, up to a chunk further
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString ahead = utf8.decode(QByteArrayView(buffer_).sliced(pos_));
        qsizetype letters = 0;
        qsizetype bad = 0;
        for (const QChar c : ahead) {
            if (c == QChar::ReplacementCharacter)
                ++bad;
            else if (c.unicode() >= 0x80)
                ++letters;
        }
        return letters > bad;
    }

    void chooseEncoding(const QString& named) {
        if (!named.isEmpty() && !QStringDecoder(named.toLatin1().constData()).isValid())
            raiseError(ErrorNumber::InvalidArgument, kSource,
                       QStringLiteral("the encoding \"%1\" is not one Qt knows").arg(named));
        fill();
        const QByteArray head = buffer_.left(4);
        // A byte-order mark says what the file is, whatever name was given.
        if (head.startsWith("\xEF\xBB\xBF")) {
            pos_ = 3;
            encodingName_ = QStringLiteral("UTF-8");
            return;
        }
        if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
            pos_ = 2;
            transcode(head.startsWith("\xFF\xFE") ? QStringLiteral("UTF-16LE")
                                                  : QStringLiteral("UTF-16BE"));
            return;
        }
        if (!named.isEmpty()) {
            if (named.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
                named.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0) {
                encodingName_ = QStringLiteral("UTF-8");
            } else if (asciiCompatible(named)) {
                fieldDecoder_.emplace(named.toLatin1().constData());
                encodingName_ = named;
            } else {
                transcode(named);
            }
            return;
        }
        // UTF-16 without a byte-order mark still shows itself by its zero bytes.
        if (head.size() >= 4 && head.at(1) == 0 && head.at(3) == 0 && head.at(0) != 0)
            transcode(QStringLiteral("UTF-16LE"));
        else if (head.size() >= 4 && head.at(0) == 0 && head.at(2) == 0 && head.at(1) != 0)
            transcode(QStringLiteral("UTF-16BE"));
        else {
            encodingName_ = QStringLiteral("UTF-8");
            guessing_ = true;
        }
    }

    void transcode(const QString& name) {
        transcoder_.emplace(name.toLatin1().constData());
        encodingName_ = name;
        // What was read so far is raw: decode it now, the rest as it comes.
        const QString rest = transcoder_->decode(QByteArrayView(buffer_).sliced(pos_));
        buffer_ = rest.toUtf8();
        pos_ = 0;
    }

    // The separator the header line holds most of, quoted fields not counted.
    char detectSeparator() {
        std::array<qsizetype, kSeparators.size()> counts{};
        bool quoted = false;
        for (qsizetype i = 0; i < kLongestRecordBytes; ++i) {
            const int c = peekAt(i);
            if (c < 0 || (!quoted && (c == '\r' || c == '\n')))
                break;
            if (c == '"')
                quoted = !quoted;
            else if (!quoted)
                for (std::size_t k = 0; k < kSeparators.size(); ++k)
                    counts[k] += c == kSeparators[k];
        }
        std::size_t best = 0;
        for (std::size_t k = 1; k < kSeparators.size(); ++k)
            if (counts[k] > counts[best])
                best = k;
        return kSeparators[best];
    }

    // Reads the next chunk into the buffer (after what is left of it); false at the end.
    bool fill() {
        QByteArray chunk(kChunkBytes, Qt::Uninitialized);
        const qint64 got = input_.read(chunk.data(), kChunkBytes);
        if (got < 0) // a read error is no end: the rows after it would be lost without a word
            raiseError(ErrorNumber::DeviceIO, kSource,
                       QStringLiteral("reading stopped at line %1: %2")
                           .arg(line_)
                           .arg(input_.errorString()));
        if (got == 0)
            return false;
        chunk.truncate(got);
        if (transcoder_)
            chunk = QString(transcoder_->decode(chunk)).toUtf8();
        buffer_ = buffer_.mid(pos_) + chunk;
        pos_ = 0;
        return true;
    }
    int peekAt(qsizetype offset) {
        while (pos_ + offset >= buffer_.size())
            if (!fill())
                return -1;
        return static_cast<unsigned char>(buffer_.at(pos_ + offset));
    }
    int peek() { return peekAt(0); }
    int take() {
        const int c = peek();
        if (c >= 0) {
            ++pos_;
            record_.append(static_cast<char>(c));
        }
        return c;
    }

    QIODevice& input_;
    std::optional<QStringDecoder> transcoder_;   // bytes to UTF-8 for UTF-16 and the like
    std::optional<QStringDecoder> fieldDecoder_; // fields of an 8-bit encoding to text
    bool guessing_ = false;                      // UTF-8 until a byte says otherwise
    bool sawUtf8_ = false;                       // a letter beyond ASCII was read as UTF-8
    QString encodingName_;
    char delimiter_ = ',';
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype line_ = 1;
    QByteArray record_;        // the bytes of the record being read
    qsizetype recordLine_ = 1; // the line it starts on
};

DelimitedSource::DelimitedSource(QIODevice& input, Options options)
    : reader_(std::make_unique<Reader>(input, options)) {
    std::vector<QByteArray> raw;
    qsizetype line = 0;
    QString error;
    if (!reader_->nextRecord(raw, line, error))
        return;
    // A damaged header leaves no columns: every record after it is then reported.
    if (error.isEmpty()) {
        auto decoded = decode(raw, line);
        // Zero characters in a header are the other half of UTF-16 read as 8-bit text.
        const bool zeros =
            decoded && std::any_of(decoded->cbegin(), decoded->cend(),
                                   [](const QString& name) { return name.contains(QChar(u'\0')); });
        if (decoded && !zeros) {
            header_ = std::move(*decoded);
            warnOfOtherSeparator();
            return;
        }
        error = zeros ? QStringLiteral("it holds zero bytes, so the file is not %1 text (is it "
                                       "UTF-16?)")
                            .arg(reader_->encoding())
                      : QStringLiteral("the text is not valid %1").arg(reader_->encoding());
    }
    leaveOut(line, QStringLiteral("unusable header: %1").arg(error));
}

void DelimitedSource::warnOfOtherSeparator() {
    if (header_.size() != 1)
        return;
    for (const char separator : kSeparators)
        if (separator != reader_->delimiter() &&
            header_.constFirst().contains(QLatin1Char(separator)))
            warn(QStringLiteral("the header is one column, \"%1\", which holds %2: is the "
                                "delimiter right?")
                     .arg(header_.constFirst(), separator == '\t' ? QStringLiteral("tabs")
                                                                  : QStringLiteral("\"%1\"").arg(
                                                                        QLatin1Char(separator))));
}

std::optional<QStringList> DelimitedSource::decode(const std::vector<QByteArray>& raw,
                                                   qint64 line) {
    QString remark;
    std::optional<QStringList> fields = reader_->decode(raw, line, remark);
    if (!remark.isEmpty())
        warn(remark);
    return fields;
}

std::unique_ptr<DelimitedSource> DelimitedSource::open(const QString& path, Options options) {
    std::unique_ptr<QIODevice> file = openMailingFile(path, kSource);
    auto source = std::make_unique<DelimitedSource>(*file, std::move(options));
    source->owned_ = std::move(file);
    return source;
}

DelimitedSource::~DelimitedSource() = default;

const QStringList& DelimitedSource::header() const {
    return header_;
}

QChar DelimitedSource::delimiter() const {
    return QLatin1Char(reader_->delimiter());
}

QString DelimitedSource::encoding() const {
    return reader_->encoding();
}

bool DelimitedSource::next(MailingRow& row) {
    std::vector<QByteArray> raw;
    qsizetype line = 0;
    QString error;
    while (reader_->nextRecord(raw, line, error)) {
        const bool countMatches = raw.size() == static_cast<std::size_t>(header_.size());
        if (!error.isEmpty() || !countMatches)
            reader_->resumeAfterFirstLine();
        if (!error.isEmpty()) {
            leaveOut(line, error);
            continue;
        }
        std::optional<QStringList> fields = decode(raw, line);
        if (!fields) {
            leaveOut(line, QStringLiteral("the text is not valid %1").arg(reader_->encoding()));
        } else if (fields->size() != header_.size()) {
            leaveOut(line, QStringLiteral("%1 fields where the header has %2")
                               .arg(fields->size())
                               .arg(header_.size()));
        } else {
            row.number = line;
            row.fields = std::move(*fields);
            return true;
        }
    }
    return false;
}

} // namespace tav

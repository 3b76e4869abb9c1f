#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <QChar>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace tav {

/// Delimited text as spreadsheets and exports write it: RFC 4180 quoting (quoted fields may hold
/// separators, doubled quotes and line breaks); CR, LF or CR LF line ends; UTF-8 with or without
/// a byte-order mark, UTF-16 with one, or an 8-bit encoding. Read as a stream: the input is never
/// held whole. Numbers count lines (from 1, the header's), so a row is named where an editor
/// shows it.
class MAILPIECE_EXPORT DelimitedSource : public MailingSource {
public:
    struct Options {
        /// The field separator; null: whichever of comma, semicolon, tab and "|" the header line
        /// holds most (a comma when it holds none).
        QChar delimiter;
        /// An encoding Qt knows by name ("UTF-8", "UTF-16LE", "Windows-1252", "ISO-8859-15");
        /// empty: from the byte-order mark, else UTF-8 while the bytes are valid UTF-8, else
        /// Windows-1252 (with a warning saying so).
        QString encoding;
    };

    /// Reads from `input`, which the caller keeps open, and takes the header at once. Raises
    /// error 5 for an encoding Qt does not know or a separator that is a quote, a line end or
    /// not ASCII.
    explicit DelimitedSource(QIODevice& input, Options options = {});
    /// The file at `path`, or standard input for "-". Raises error 75 naming the file when it
    /// cannot be opened, and what the constructor raises.
    static std::unique_ptr<DelimitedSource> open(const QString& path, Options options = {});
    ~DelimitedSource() override;

    const QStringList& header() const override;
    bool next(MailingRow& row) override;
    QString numberName() const override { return QStringLiteral("line"); }

    /// The separator in use.
    QChar delimiter() const;
    /// The encoding the rows are read in now ("UTF-8", "UTF-16LE", "Windows-1252", ...).
    QString encoding() const;

private:
    class Reader;
    // Warns when a one-column header holds another separator: the delimiter named is wrong.
    void warnOfOtherSeparator();
    std::optional<QStringList> decode(const std::vector<QByteArray>& raw, qint64 line);

    std::unique_ptr<QIODevice> owned_; // the file open() opened
    std::unique_ptr<Reader> reader_;
    QStringList header_;
};

} // namespace tav

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;

namespace mailpiece {

/// One data record of a CSV file and the line it starts on (1-based).
struct CsvRow {
    qsizetype line = 0;
    QStringList fields;
};

/// A record that could not be used, with the line it starts on and why.
struct CsvProblem {
    qsizetype line = 0;
    QString message;
};

/// Reads CSV as RFC 4180 describes it, one record at a time, so a mailing of any length needs
/// no more memory than its longest record: UTF-8 (an initial byte-order mark is skipped), a
/// header record, fields separated by commas, quoted fields with doubled quotes and line breaks.
class CsvReader {
public:
    /// Reads from `input` (kept open by the caller) and takes the header record at once.
    explicit CsvReader(QIODevice& input);
    ~CsvReader();

    /// The header's fields; empty when the input has no usable header.
    const QStringList& header() const { return header_; }
    /// Records left out so far: bad quoting, text that is not UTF-8, a field count other than
    /// the header's.
    const std::vector<CsvProblem>& problems() const { return problems_; }
    /// Reads the next good record into `row`; false at the end of the input.
    bool next(CsvRow& row);

private:
    class Splitter;
    std::unique_ptr<Splitter> splitter_;
    QStringList header_;
    std::vector<CsvProblem> problems_;
};

/// A whole CSV text read at once.
struct CsvTable {
    QStringList header;
    std::vector<CsvRow> rows;         // records with as many fields as the header
    std::vector<CsvProblem> problems; // records left out
};

/// Reads `data` whole; bad records are reported in `problems` and the good ones kept.
CsvTable readCsv(const QByteArray& data);

} // namespace mailpiece

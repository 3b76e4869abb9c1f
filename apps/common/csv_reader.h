#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

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

/// A CSV file read as RFC 4180 describes it: UTF-8 (an initial byte-order mark is skipped), a
/// header record, fields separated by commas, quoted fields with doubled quotes and line breaks.
struct CsvTable {
    QStringList header;
    std::vector<CsvRow> rows;         // records with as many fields as the header
    std::vector<CsvProblem> problems; // records left out
};

/// Reads `data`; bad records are reported in `problems` and the good ones kept.
CsvTable readCsv(const QByteArray& data);

/// Reads the file at `path`; throws tav::TavError when it cannot be read.
CsvTable readCsvFile(const QString& path);

} // namespace mailpiece

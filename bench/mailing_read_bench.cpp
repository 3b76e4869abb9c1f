// Reading a mailing into a label control with Refresh off: 100,000 rows of the sample's shape from
// delimited text, a SQLite file and an .xlsx workbook, and how resident memory grows with the
// rows (it should not, beyond a workbook's shared strings).

#include "delimited_source.h"
#include "mailing_feed.h"
#include "resident_memory.h"
#include "spreadsheet_source.h"
#include "sql_source.h"
#include "tav_label.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <zip.h>

namespace {

const QStringList kColumns = {QStringLiteral("First"),        QStringLiteral("Middle"),
                              QStringLiteral("Last"),         QStringLiteral("Address"),
                              QStringLiteral("AddressLine2"), QStringLiteral("City"),
                              QStringLiteral("State"),        QStringLiteral("Zip")};

QStringList sampleRow(int i) {
    return {QStringLiteral("Barbara"),
            QStringLiteral("T"),
            QStringLiteral("Jackson %1").arg(i),
            QStringLiteral("%1 Spring Street").arg(i % 9999),
            i % 3 == 0 ? QStringLiteral("Suite %1").arg(i % 400) : QString(),
            QStringLiteral("Boulder"),
            QStringLiteral("CO"),
            QStringLiteral("80320-%1").arg(1000 + i % 9000)};
}

// The mailings, written once for all runs.
class Mailings {
public:
    static Mailings& get() {
        static Mailings mailings;
        return mailings;
    }
    QString csv(int rows) {
        const QString path = dir_.filePath(QStringLiteral("m%1.csv").arg(rows));
        if (!QFile::exists(path)) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(kColumns.join(QLatin1Char(',')).toUtf8() + "\r\n");
            for (int i = 1; i <= rows; ++i)
                file.write(sampleRow(i).join(QLatin1Char(',')).toUtf8() + "\r\n");
        }
        return path;
    }
    // An Office Open XML workbook as spreadsheet programs write one: every text a shared
    // string, the ZIP+4 column under a text style.
    QString xlsx(int rows) {
        const QString path = dir_.filePath(QStringLiteral("m%1.xlsx").arg(rows));
        if (QFile::exists(path))
            return path;
        QByteArray sheet = "<worksheet><sheetData>", strings;
        int count = 0;
        const auto row = [&](int number, const QStringList& values) {
            sheet += "<row r=\"" + QByteArray::number(number) + "\">";
            for (qsizetype k = 0; k < values.size(); ++k) {
                if (values[k].isEmpty())
                    continue;
                sheet += "<c r=\"" + QByteArray(1, char('A' + k)) + QByteArray::number(number) +
                         "\" t=\"s\"><v>" + QByteArray::number(count++) + "</v></c>";
                strings += "<si><t>" + values[k].toHtmlEscaped().toUtf8() + "</t></si>";
            }
            sheet += "</row>";
        };
        row(1, kColumns);
        for (int i = 1; i <= rows; ++i)
            row(i + 1, sampleRow(i));
        sheet += "</sheetData></worksheet>";
        const QByteArray sst =
            "<sst count=\"" + QByteArray::number(count) + "\">" + strings + "</sst>";
        const std::pair<const char*, QByteArray> members[] = {
            {"xl/workbook.xml", "<workbook xmlns:r=\"r\"><sheets><sheet name=\"Mailing\" "
                                "r:id=\"rId1\"/></sheets></workbook>"},
            {"xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
             "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
             "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
            {"xl/sharedStrings.xml", sst},
            {"xl/worksheets/sheet1.xml", sheet}};
        int error = 0;
        zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, &error);
        for (const auto& [name, bytes] : members)
            zip_file_add(archive, name,
                         zip_source_buffer(archive, bytes.constData(), bytes.size(), 0), 0);
        zip_close(archive);
        return path;
    }
    QString sqlite(int rows) {
        const QString path = dir_.filePath(QStringLiteral("m%1.sqlite").arg(rows));
        if (!QFile::exists(path)) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                            QStringLiteral("bench-setup"));
                db.setDatabaseName(path);
                db.open();
                QSqlQuery query(db);
                query.exec(QStringLiteral("CREATE TABLE addresses (%1 TEXT)")
                               .arg(kColumns.join(QStringLiteral(" TEXT, "))));
                db.transaction();
                query.prepare(QStringLiteral("INSERT INTO addresses VALUES (?,?,?,?,?,?,?,?)"));
                for (int i = 1; i <= rows; ++i) {
                    for (const QString& value : sampleRow(i))
                        query.addBindValue(value);
                    query.exec();
                }
                db.commit();
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("bench-setup"));
        }
        return path;
    }

private:
    QTemporaryDir dir_;
};

template <typename Open> void readInto(benchmark::State& state, const Open& open) {
    const auto rows = static_cast<int>(state.range(0));
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tav::TavLabel label;
        label.setRefresh(false);
        tav::MailingFeed feed;
        feed.mode = tav::PieceMaker::Mode::Address;
        const double before = bench::residentBytes();
        state.ResumeTiming();

        const std::unique_ptr<tav::MailingSource> source = open(rows);
        const tav::MailingFed fed = label.AddPieces(*source, feed);

        state.PauseTiming();
        growth = (bench::residentBytes() - before) / (1024 * 1024);
        if (fed.pieces != rows)
            state.SkipWithError("rows were left out");
        state.ResumeTiming();
    }
    state.counters["rows_per_second"] =
        benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["resident_growth_MB"] = growth;
}

void BM_ReadCsvIntoLabel(benchmark::State& state) {
    const QString path = Mailings::get().csv(static_cast<int>(state.range(0)));
    readInto(state, [&](int) { return tav::DelimitedSource::open(path); });
}
BENCHMARK(BM_ReadCsvIntoLabel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadSqliteIntoLabel(benchmark::State& state) {
    const QString path = Mailings::get().sqlite(static_cast<int>(state.range(0)));
    readInto(state, [&](int) {
        return std::make_unique<tav::SqlSource>(path, QStringLiteral("addresses"));
    });
}
BENCHMARK(BM_ReadSqliteIntoLabel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadXlsxIntoLabel(benchmark::State& state) {
    const QString path = Mailings::get().xlsx(static_cast<int>(state.range(0)));
    readInto(state, [&](int) { return tav::SpreadsheetSource::open(path); });
}
BENCHMARK(BM_ReadXlsxIntoLabel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

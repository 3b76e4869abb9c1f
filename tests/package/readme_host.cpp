// The README's host code, extracted from README.md by check-package.sh, fed the sample mailing
// and printed to the PDF file named on the command line.

#include "readme_example.inc"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

// The fields of one line of the sample mailing: commas, and double quotes around a field that
// holds one.
QStringList splitLine(const QString& line) {
    QStringList fields(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"') && quoted && i + 1 < line.size() && line.at(i + 1) == c)
            fields.last() += line.at(++i);
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            fields.append(QString());
        else
            fields.last() += c;
    }
    return fields;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile csv(QString::fromLocal8Bit(argv[1]));
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    std::vector<Address> mailing;
    csv.readLine(); // First,Middle,Last,Address,AddressLine2,City,State,Zip
    while (!csv.atEnd()) {
        const QStringList f = splitLine(QString::fromUtf8(csv.readLine()).trimmed());
        if (f.size() != 8)
            continue;
        mailing.push_back({QStringList{f[0], f[1], f[2]}.join(QLatin1Char(' ')).simplified(), f[3],
                           QStringLiteral("%1, %2 %3").arg(f[5], f[6].toUpper(), f[7]), f[7]});
    }
    try {
        printLabels(mailing, QString::fromLocal8Bit(argv[2]));
        // The same mailing fed from its file by the library, on the piece named by number.
        printMailingFile(QString::fromLocal8Bit(argv[1]), "5160",
                         QString::fromLocal8Bit(argv[2]) + ".fed.pdf");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("%zu labels\n", mailing.size());
    return 0;
}

#include "pdf_text.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace tav::test {

namespace {

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

std::vector<PdfWord> pdfWords(const QString& path) {
    const QString xhtml = QString::fromUtf8(run("pdftotext", {"-bbox", path, "-"}));
    std::vector<PdfWord> words;
    int page = 0;
    QSizeF pageSize;
    static const QRegularExpression pageStart(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QString& line : xhtml.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch start = pageStart.match(line); start.hasMatch()) {
            ++page;
            pageSize = QSizeF(start.captured(1).toDouble(), start.captured(2).toDouble());
        }
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch()) {
            const double x1 = match.captured(1).toDouble();
            const double y1 = match.captured(2).toDouble();
            const double x2 = match.captured(3).toDouble();
            const double y2 = match.captured(4).toDouble();
            QString text = match.captured(5);
            text.replace("&amp;", "&");
            text.replace("&quot;", "\"");
            text.replace("&lt;", "<");
            text.replace("&gt;", ">");
            text.replace("&apos;", "'");
            words.push_back({page, text, QRectF(QPointF(x1, y1), QPointF(x2, y2)), pageSize});
        }
    }
    return words;
}

QStringList pdfTexts(const QString& path) {
    QStringList texts;
    for (const PdfWord& word : pdfWords(path))
        texts << word.text;
    return texts;
}

int pdfPageCount(const QString& path) {
    const QString info = QString::fromUtf8(run("pdfinfo", {path}));
    static const QRegularExpression pages("Pages:\\s+(\\d+)");
    const QRegularExpressionMatch match = pages.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage pdfPageImage(const QString& path, int page, double dpi, const QRect& crop) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    QStringList arguments = {
        "-r", QString::number(dpi, 'f', 3), "-f",          QString::number(page),
        "-l", QString::number(page),        "-singlefile", "-png"};
    if (!crop.isNull())
        arguments << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
                  << QString::number(crop.width()) << "-H" << QString::number(crop.height());
    run("pdftoppm", arguments << path << prefix);
    return QImage(prefix + ".png");
}

} // namespace tav::test

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
    const QString xhtml = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression pageStart(QStringLiteral("<page "));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QString& line : xhtml.split(QLatin1Char('\n'))) {
        if (line.contains(pageStart))
            ++page;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch()) {
            const double x1 = match.captured(1).toDouble();
            const double y1 = match.captured(2).toDouble();
            const double x2 = match.captured(3).toDouble();
            const double y2 = match.captured(4).toDouble();
            QString text = match.captured(5);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
            text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
            words.push_back({page, text, QRectF(QPointF(x1, y1), QPointF(x2, y2))});
        }
    }
    return words;
}

int pdfPageCount(const QString& path) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {path}));
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QRegularExpressionMatch match = pages.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage pdfPageImage(const QString& path, int page, double dpi, const QRect& crop) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QStringList arguments = {QStringLiteral("-r"),          QString::number(dpi, 'f', 3),
                             QStringLiteral("-f"),          QString::number(page),
                             QStringLiteral("-l"),          QString::number(page),
                             QStringLiteral("-singlefile"), QStringLiteral("-png")};
    if (!crop.isNull())
        arguments << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
                  << QString::number(crop.y()) << QStringLiteral("-W")
                  << QString::number(crop.width()) << QStringLiteral("-H")
                  << QString::number(crop.height());
    run(QStringLiteral("pdftoppm"), arguments << path << prefix);
    return QImage(prefix + QStringLiteral(".png"));
}

} // namespace tav::test

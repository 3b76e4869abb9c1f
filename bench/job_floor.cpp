// The floor of a whole mailing job: a bare program that reads the CSV mailing, sets each row's
// three address lines at 10 pt and its POSTNET bars on 30-up 5160 labels, and writes one PDF
// with QPdfWriter: what any program printing the same labels must at least do. Run beside
// mailpiece-batch by bench/compare-job.sh.
//
//   mailpiece_job_floor MAILING.csv OUT.pdf

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {

// POSTNET: a frame bar, five bars a digit (two full), the check digit, a frame bar.
QString postnet(const QString& zip) {
    static const char* const digits[] = {"11...", "...11", "..1.1", "..11.", ".1..1",
                                         ".1.1.", ".11..", "1...1", "1..1.", "1.1.."};
    QString bars = QStringLiteral("1");
    int sum = 0;
    for (const QChar c : zip) {
        if (!c.isDigit())
            continue;
        sum += c.digitValue();
        bars += QLatin1String(digits[c.digitValue()]);
    }
    bars += QLatin1String(digits[(10 - sum % 10) % 10]);
    return bars + QLatin1Char('1');
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mailpiece_job_floor MAILING.csv OUT.pdf\n");
        return 2;
    }
    QFile csv(QString::fromLocal8Bit(argv[1]));
    if (!csv.open(QIODevice::ReadOnly))
        return 1;
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setResolution(1440); // twips
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(200); // 10 pt in twips
    painter.setFont(font);
    const double ascent = QFontMetricsF(font).ascent();
    const double line = QFontMetricsF(font).lineSpacing();
    csv.readLine(); // First,Last,Address,City,State,Zip
    int position = 0;
    while (!csv.atEnd()) {
        const QStringList f = QString::fromUtf8(csv.readLine()).trimmed().split(QLatin1Char(','));
        if (f.size() < 6)
            continue;
        if (position == 30) {
            writer.newPage();
            position = 0;
        }
        const double x = 270 + 3960.0 * (position % 3) + 144;
        const double y = 720 + 1440.0 * (position / 3) + 144;
        painter.setPen(Qt::black);
        const QString lines[] = {f[0] + QLatin1Char(' ') + f[1], f[2],
                                 f[3] + QStringLiteral(", ") + f[4] + QLatin1Char(' ') + f[5]};
        for (int k = 0; k < 3; ++k)
            painter.drawText(QPointF(x, y + k * line + ascent), lines[k]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const QString bars = postnet(f[5]);
        for (int k = 0; k < bars.size(); ++k) {
            const int height = bars.at(k) == QLatin1Char('1') ? 180 : 72;
            painter.drawRect(QRectF(x + 66.0 * k, y + 1000 - height, 24, height));
        }
        ++position;
    }
    return painter.end() ? 0 : 1;
}

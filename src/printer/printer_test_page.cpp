#include "printer_test_page.h"

#include "printer.h"
#include "text_layout.h"
#include "units.h"

#include <charconv>

namespace tav::PtrInfoMod {

namespace {

const QString kSource = QStringLiteral("PtrInfoMod");
const QString kNewLine = QStringLiteral("\r\n");
constexpr qint32 kTextWidth = 5328;  // twips: 3.7 inches
constexpr qint32 kTextHeight = 8640; // twips: 6 inches
constexpr qint32 kBlockGap = 720;    // twips: half an inch

qint32 twips(float inches) {
    return inchesToTwips(inches, kSource);
}

// The shortest decimal text that reads back as the same single-precision number.
QString shortest(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

void PrintTestPage(float printerTop, float printerLeft, const QString& companyName) {
    PrintTestPage(currentPrinter(), printerTop, printerLeft, companyName);
}

void PrintTestPage(Printer& printer, float printerTop, float printerLeft,
                   const QString& companyName) {
    printer.setDrawMode(13);
    printer.setDrawStyle(0);
    printer.setDrawWidth(1);
    printer.setFontBold(false);
    printer.setFontItalic(false);
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(18);
    printer.setFontStrikethru(false);
    printer.setFontUnderline(false);
    printer.setFontWeight(1);

    const float top = printerTop;
    const float left = printerLeft;
    try {
        // Two groups of six nested rectangles, 0.1 inch apart, half an inch between the groups.
        float x = left + 0.5f;
        float y = top + 0.5f;
        float w = 7.5f;
        float h = 10.0f;
        for (int group = 0; group < 2; ++group) {
            for (int i = 0; i < 6; ++i) {
                printer.Box(twips(x), twips(y), twips(w), twips(h), OleColors::Black, false);
                x += 0.1f;
                y += 0.1f;
                w -= 0.2f;
                h -= 0.2f;
            }
            x += 0.4f;
            y += 0.4f;
            w -= 0.8f;
            h -= 0.8f;
        }
        // Diagonals across the gap in the upper left corner.
        const qint32 x0 = twips(left + 1.0f);
        const qint32 y0 = twips(top + 1.0f);
        for (int step = 0; step <= 10; ++step) {
            const qint32 d = step * 144;
            printer.Line(checkedAdd(x0, d, kSource), y0, checkedAdd(x0, d + 720, kSource),
                         checkedAdd(y0, 720, kSource), OleColors::Black);
            printer.Line(x0, checkedAdd(y0, d, kSource), checkedAdd(x0, 720, kSource),
                         checkedAdd(y0, d + 720, kSource), OleColors::Black);
        }

        const qint32 textLeft = twips(left + 2.5f);
        PrintLines(printer, textLeft, twips(top + 2.5f), kTextWidth, kTextHeight,
                   WrapText(printer, kTextWidth, companyName));
        printer.setFontSize(10);
        PrintLines(printer, textLeft, checkedAdd(printer.CurrentY(), kBlockGap, kSource),
                   kTextWidth, kTextHeight,
                   WrapText(printer, kTextWidth, PrinterInfoText(printer)));
        PrintLines(printer, textLeft, checkedAdd(printer.CurrentY(), kBlockGap, kSource),
                   kTextWidth, kTextHeight,
                   WrapText(printer, kTextWidth, TestPatternText(top, left)));
    } catch (...) {
        printer.EndDoc();
        throw;
    }
    printer.EndDoc();
}

QString PrinterInfoText() {
    return PrinterInfoText(currentPrinter());
}

QString PrinterInfoText(const Printer& printer) {
    QStringList lines;
    lines << QStringLiteral("Device name:  ") + printer.DeviceName()
          << QStringLiteral("Driver name:  ") + printer.DriverName()
          << QStringLiteral("Device port:  ") + printer.Port();
    if (printer.Orientation() == 1)
        lines << QStringLiteral("Orientation:  Portrait");
    else if (printer.Orientation() == 2)
        lines << QStringLiteral("Orientation:  Landscape");
    switch (printer.ColorMode()) {
    case 0:
        lines << QStringLiteral("Printer:  Monochromatic (single color)");
        break;
    case 1:
        lines << QStringLiteral("Color Mode:  Monochrome");
        break;
    case 2:
        lines << QStringLiteral("Color Mode:  Color");
        break;
    default:
        break;
    }
    if (printer.PrintQuality() >= 1)
        lines << QStringLiteral("Print resolution:  %1").arg(printer.PrintQuality());
    lines << QStringLiteral("Copies:  %1").arg(printer.Copies()) << FontListText(printer);
    return lines.join(kNewLine);
}

QString TestPatternText(float printerTop, float printerLeft) {
    return QStringLiteral("This test pattern consists of two groups of six rectangles.  "
                          "The outer rectangle is nominally 7.5 by 10 inches.  "
                          "The rectangles are spaced at 0.1 inch increments with "
                          "a 0.5 inch gap between the two groups.  There are 21 "
                          "diagonal lines spanning the gap between the two groups "
                          "in the upper left corner.  ") +
           kNewLine + QStringLiteral(" ") + kNewLine +
           QStringLiteral("Printers vary in their characteristics "
                          "and some tailoring may be required by the user.  "
                          "Center this pattern on the paper using the properties listed below "
                          "(the units are in inches; thus, PrinterTop = -0.25 will move "
                          "this test pattern up ") +
           QChar(0x00BC) + QStringLiteral(" of an inch).") + kNewLine + kNewLine +
           QStringLiteral("The current value for these properties are:") + kNewLine +
           QStringLiteral("     PrinterTop = ") + shortest(printerTop) + kNewLine +
           QStringLiteral("     PrinterLeft = ") + shortest(printerLeft);
}

QString FontListText() {
    return FontListText(currentPrinter());
}

QString FontListText(const Printer& printer) {
    const int count = printer.FontCount();
    QString arial, courier, times, timesRoman, timesAny;
    QString arialExact, courierExact, timesExact;
    for (int i = 0; i < count; ++i) {
        const QString name = printer.Fonts(i);
        const QString lower = name.toLower();
        if (lower == QLatin1String("arial") && arialExact.isEmpty())
            arialExact = name;
        if (lower.contains(QLatin1String("arial")) && arial.isEmpty())
            arial = name;
        if (lower == QLatin1String("courier new") && courierExact.isEmpty())
            courierExact = name;
        if (lower.contains(QLatin1String("courier new")) && courier.isEmpty())
            courier = name;
        if (lower == QLatin1String("times new roman") && timesExact.isEmpty())
            timesExact = name;
        if (lower.contains(QLatin1String("times")) && lower.contains(QLatin1String("roman")) &&
            timesRoman.isEmpty())
            timesRoman = name;
        if (lower.contains(QLatin1String("times")) && timesAny.isEmpty())
            timesAny = name;
    }
    QStringList found;
    for (const QString& name : {arialExact.isEmpty() ? arial : arialExact,
                                courierExact.isEmpty() ? courier : courierExact,
                                !timesExact.isEmpty()   ? timesExact
                                : !timesRoman.isEmpty() ? timesRoman
                                                        : timesAny})
        if (!name.isEmpty())
            found << name;
    if (found.isEmpty())
        return QStringLiteral("You have %1 available fonts.").arg(count);
    QString text = QStringLiteral("%1 of your %2 available fonts %3")
                       .arg(found.size())
                       .arg(count)
                       .arg(found.size() < 2 ? QStringLiteral("is: ") : QStringLiteral("are: "));
    for (const QString& name : found)
        text += kNewLine + QStringLiteral("     ") + name;
    return text;
}

QStringList WrapText(qint32 width, const QString& text) {
    return WrapText(currentPrinter(), width, text);
}

QStringList WrapText(const Printer& printer, qint32 width, const QString& text) {
    return TextLayout::breakLines(
        text, width, [&printer](const QString& line) { return printer.TextWidth(line); });
}

void PrintLines(qint32 x, qint32 y, qint32 width, qint32 height, const QStringList& lines) {
    PrintLines(currentPrinter(), x, y, width, height, lines);
}

void PrintLines(Printer& printer, qint32 x, qint32 y, qint32, qint32 height,
                const QStringList& lines) {
    const double limit = y + height - 0.8 * printer.TextHeight(QStringLiteral("AWT"));
    printer.setCurrentY(y);
    for (const QString& line : lines) {
        printer.setCurrentX(x);
        if (!(printer.CurrentY() < limit))
            break; // the position no longer moves, so no later line fits either
        printer.Print(line);
    }
}

} // namespace tav::PtrInfoMod

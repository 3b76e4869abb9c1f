#include "text_layout.h"

#include "str_lib.h"
#include "text_lines.h"
#include "units.h"

namespace tav::TextLayout {

namespace {

const QString kSource = QStringLiteral("TavItem");

QString trimRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

// Splits `text` between characters into pieces no wider than `maxWidth`; a character wider than
// that stands alone.
QStringList breakCharacters(const QString& text, double maxWidth, const Measure& measure) {
    QStringList pieces;
    QString piece;
    for (const QChar c : text) {
        if (!piece.isEmpty() && measure(piece + c) > maxWidth) {
            pieces.append(piece);
            piece.clear();
        }
        piece += c;
    }
    pieces.append(piece);
    return pieces;
}

// Breaks one paragraph (text without line breaks) into lines no wider than `maxWidth`, at most
// `limit` of them: the rest could never fit a piece.
QStringList breakParagraph(const QString& text, double maxWidth, const Measure& measure,
                           qsizetype limit) {
    // A paragraph that fits as a whole fits word by word too (widths only grow as words are
    // added), so one measurement gives the same result as the walk below.
    if (measure(trimRight(text)) <= maxWidth)
        return {trimRight(text)};

    QStringList lines;
    QString current;
    int words = 0;
    const auto endLine = [&](const QString& line) {
        lines.append(trimRight(line));
        current.clear();
        words = 0;
    };

    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size && lines.size() < limit) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char(' ')) {
            current += c;
            ++pos;
            continue;
        }
        // A word runs to and includes the next blank.
        qsizetype end = pos;
        while (end < size && text.at(end) != QLatin1Char(' '))
            ++end;
        if (end < size && text.at(end) == QLatin1Char(' '))
            ++end;
        const QString word = text.mid(pos, end - pos);
        const QString candidate = current + word;
        if (measure(trimRight(candidate)) <= maxWidth) {
            current = candidate;
            ++words;
            pos = end;
        } else if (StrLib::TrimSpaces(current).isEmpty() ||
                   (words + 1 < 3 && measure(StrLib::TrimSpaces(word)) > maxWidth)) {
            // A word wider than the box: split the line between characters. A word that fits
            // a line of its own moves to the next line whole instead.
            const QStringList pieces =
                breakCharacters(StrLib::TrimSpaces(candidate), maxWidth, measure);
            for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
                endLine(pieces.at(i));
            current = pieces.constLast() + QLatin1Char(' ');
            words = 1;
            pos = end;
        } else {
            endLine(current); // the word that did not fit starts the next line
        }
    }
    if (!current.isEmpty())
        endLine(current);
    return lines;
}

} // namespace

QStringList breakLines(const QString& text, double maxWidth, const Measure& measure) {
    // Each line break (CR, LF or CR LF) ends a line, an empty one too; a break at the very end
    // starts no line.
    QStringList lines;
    const QStringList paragraphs = splitLines(text);
    for (qsizetype i = 0; i < paragraphs.size() && lines.size() < MaxLines; ++i) {
        const QString& paragraph = paragraphs.at(i);
        if (paragraph.isEmpty()) {
            if (i + 1 < paragraphs.size())
                lines.append(QString());
            continue;
        }
        lines.append(breakParagraph(paragraph, maxWidth, measure, MaxLines - lines.size()));
    }
    if (lines.size() > MaxLines)
        lines.resize(MaxLines);
    return lines;
}

std::vector<PlacedLine> placeLines(const QStringList& lines, const Box& box, double lineHeight,
                                   qint32 alignHorizontal, qint32 alignVertical, bool forPaper,
                                   const Measure& measure) {
    const double n = static_cast<double>(lines.size());
    const qint32 bottom = checkedAdd(box.top, box.height, kSource);
    qint32 first = box.top;
    if (alignVertical == 1)
        first =
            checkedAdd(box.top, roundToInt((box.height - lineHeight * n) * 0.5, kSource), kSource);
    else if (alignVertical == 2)
        first = checkedAdd(bottom, -roundToInt(lineHeight * n, kSource), kSource);
    first = std::max(first, box.top);

    std::vector<PlacedLine> placed;
    double y = first;
    for (const QString& line : lines) {
        const double limit = bottom - 0.8 * lineHeight;
        if (forPaper ? !(limit > y) : !(limit >= y))
            break;
        PlacedLine out{line, box.left, roundToInt(y, kSource)};
        if (alignHorizontal == 2 || alignHorizontal == 1) {
            out.text = StrLib::TrimSpaces(line);
            if (alignHorizontal == 2) {
                out.x = checkedAdd(
                    box.left, roundToInt((box.width - measure(out.text)) * 0.5, kSource), kSource);
            } else {
                const double width = measure(forPaper ? out.text : out.text + QLatin1Char(' '));
                out.x = checkedAdd(checkedAdd(box.left, box.width, kSource),
                                   -roundToInt(width, kSource), kSource);
            }
        }
        out.x = std::max(out.x, box.left);
        placed.push_back(out);
        y += lineHeight;
    }
    return placed;
}

} // namespace tav::TextLayout

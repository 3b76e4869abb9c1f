#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

namespace tav::test {

/// A word on a PDF page as poppler's pdftotext -bbox reads it; the box is in points.
struct PdfWord {
    int page = 0; // 1-based
    QString text;
    QRectF box;
    QSizeF pageSize; // points
};

/// The words of every page of the PDF at `path`; empty when pdftotext is missing or fails.
std::vector<PdfWord> pdfWords(const QString& path);

/// The texts of those words, in reading order.
QStringList pdfTexts(const QString& path);

/// The number of pages of the PDF at `path` (pdfinfo), or -1.
int pdfPageCount(const QString& path);

/// Page `page` (1-based) of the PDF rendered to an image at `dpi` (pdftoppm, fractions kept), or a
/// null image;
/// only the part `crop` (pixels at `dpi`) when it is given, which keeps fine renderings small.
QImage pdfPageImage(const QString& path, int page, double dpi, const QRect& crop = {});

} // namespace tav::test

#include "sheet_limits.h"

#include "tav_error.h"
#include "tav_sheet_cls.h"

#include <cmath>

namespace tav {

namespace {

enum class Lower { AboveZero, AtLeastZero, Any };

QString lengthProblem(const char* field, float inches, Lower lower) {
    const QString name = QLatin1String(field);
    if (!std::isfinite(inches))
        return QStringLiteral("%1 is %2, not a length").arg(name).arg(inches);
    const bool low =
        (lower == Lower::AboveZero && inches <= 0) || (lower == Lower::AtLeastZero && inches < 0);
    if (low || std::fabs(inches) > LongestSheetInches)
        return QStringLiteral("%1 is %2 inches; it must be %3 and at most %4")
            .arg(name)
            .arg(inches)
            .arg(lower == Lower::AboveZero     ? QStringLiteral("above 0")
                 : lower == Lower::AtLeastZero ? QStringLiteral("0 or more")
                                               : QStringLiteral("from -%1").arg(LongestSheetInches))
            .arg(LongestSheetInches);
    return {};
}

// The first of `problems` that is one, or "".
template <std::size_t N> QString firstProblem(const QString (&problems)[N]) {
    for (const QString& problem : problems)
        if (!problem.isEmpty())
            return problem;
    return {};
}

// The far edge of the grid, in double precision so that no product overflows.
QString extentProblem(const char* direction, double margin, double pitch, qint16 count,
                      double piece) {
    const double extent = margin + pitch * (count - 1) + piece;
    if (extent <= LongestSheetInches)
        return {};
    return QStringLiteral("the pieces reach %1 inches %2, beyond any paper (at most %3)")
        .arg(extent)
        .arg(QLatin1String(direction))
        .arg(LongestSheetInches);
}

// Pieces of a row or a column closer than their own size would print on one another.
QString overlapProblem(const char* pitchField, float pitch, const char* pieceField, float piece,
                       qint16 count) {
    if (count < 2 || pitch >= piece - TouchingSlackInches)
        return {};
    return QStringLiteral("%1 is %2 inches, less than %3 (%4 inches): the pieces would print on "
                          "one another")
        .arg(QLatin1String(pitchField))
        .arg(pitch)
        .arg(QLatin1String(pieceField))
        .arg(piece);
}

} // namespace

QString sheetGeometryProblem(const TavSheetCls& sheet) {
    const QString lengths[] = {
        lengthProblem("Width", sheet.Width(), Lower::AboveZero),
        lengthProblem("Height", sheet.Height(), Lower::AboveZero),
        lengthProblem("PieceWidth", sheet.PieceWidth(), Lower::AboveZero),
        lengthProblem("PieceHeight", sheet.PieceHeight(), Lower::AboveZero),
        lengthProblem("PiecePitchAcross", sheet.PiecePitchAcross(), Lower::AtLeastZero),
        lengthProblem("PiecePitchDown", sheet.PiecePitchDown(), Lower::AtLeastZero),
        lengthProblem("Marginleft", sheet.Marginleft(), Lower::Any),
        lengthProblem("MarginTop", sheet.MarginTop(), Lower::Any),
    };
    if (const QString problem = firstProblem(lengths); !problem.isEmpty())
        return problem;
    if (sheet.PieceRotation() != 0 && sheet.PieceRotation() != 90)
        return QStringLiteral("PieceRotation is %1; pieces lie as designed (0) or turned a quarter "
                              "turn (90)")
            .arg(sheet.PieceRotation());
    if (sheet.NumAcross() < 1)
        return QStringLiteral("NumAcross is %1; a sheet needs at least one piece across")
            .arg(sheet.NumAcross());
    if (sheet.NumDown() < 1)
        return QStringLiteral("NumDown is %1; a sheet needs at least one row").arg(sheet.NumDown());
    if (QString overlap = overlapProblem("PiecePitchAcross", sheet.PiecePitchAcross(), "PieceWidth",
                                         sheet.PieceWidth(), sheet.NumAcross());
        !overlap.isEmpty())
        return overlap;
    if (QString overlap = overlapProblem("PiecePitchDown", sheet.PiecePitchDown(), "PieceHeight",
                                         sheet.PieceHeight(), sheet.NumDown());
        !overlap.isEmpty())
        return overlap;
    QString extent = extentProblem("across", sheet.Marginleft(), sheet.PiecePitchAcross(),
                                   sheet.NumAcross(), sheet.PieceWidth());
    if (extent.isEmpty())
        extent = extentProblem("down", sheet.MarginTop(), sheet.PiecePitchDown(), sheet.NumDown(),
                               sheet.PieceHeight());
    return extent;
}

void checkSheetGeometry(const TavSheetCls& sheet, const QString& source, const QString& what) {
    const QString problem = sheetGeometryProblem(sheet);
    if (!problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source,
                   QStringLiteral("%1: %2").arg(what, problem));
}

QString boxGeometryProblem(float left, float top, float width, float height) {
    const QString lengths[] = {
        lengthProblem("Left1", left, Lower::Any),
        lengthProblem("Top", top, Lower::Any),
        lengthProblem("Width", width, Lower::AtLeastZero),
        lengthProblem("Height", height, Lower::AtLeastZero),
    };
    return firstProblem(lengths);
}

} // namespace tav

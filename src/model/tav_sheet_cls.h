#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"

#include <QObject>
#include <QString>

namespace tav {

/// Geometry of one sheet of pieces; lengths in inches. A passive record: it validates nothing.
class MAILPIECE_EXPORT TavSheetCls : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Marginleft READ Marginleft WRITE setMarginleft)
    Q_PROPERTY(float MarginTop READ MarginTop WRITE setMarginTop)
    Q_PROPERTY(qint16 NumAcross READ NumAcross WRITE setNumAcross)
    Q_PROPERTY(qint16 NumDown READ NumDown WRITE setNumDown)
    Q_PROPERTY(qint16 Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(float PrinterLeft READ PrinterLeft WRITE setPrinterLeft)
    Q_PROPERTY(float PrinterTop READ PrinterTop WRITE setPrinterTop)
    Q_PROPERTY(float Height READ Height WRITE setHeight)
    Q_PROPERTY(float Width READ Width WRITE setWidth)
    Q_PROPERTY(float PieceHeight READ PieceHeight WRITE setPieceHeight)
    Q_PROPERTY(float PieceWidth READ PieceWidth WRITE setPieceWidth)
    Q_PROPERTY(float PiecePitchAcross READ PiecePitchAcross WRITE setPiecePitchAcross)
    Q_PROPERTY(float PiecePitchDown READ PiecePitchDown WRITE setPiecePitchDown)
    Q_PROPERTY(qint16 StartingPiece READ StartingPiece WRITE setStartingPiece)
    Q_PROPERTY(QString PieceName READ PieceName WRITE setPieceName)
    Q_PROPERTY(qint32 PrintFrom READ PrintFrom WRITE setPrintFrom)
    Q_PROPERTY(qint32 PrintTo READ PrintTo WRITE setPrintTo)

public:
    /// A record holding zero in every number and "" in PieceName.
    TavSheetCls() = default;

    /// Sheet's left edge to the first column's left edge (inches).
    float Marginleft() const { return marginLeft_; }
    void setMarginleft(float inches) { marginLeft_ = inches; }
    /// Sheet's top edge to the first row's top edge (inches).
    float MarginTop() const { return marginTop_; }
    void setMarginTop(float inches) { marginTop_ = inches; }
    /// Pieces in one row.
    qint16 NumAcross() const { return numAcross_; }
    void setNumAcross(qint16 count) { numAcross_ = count; }
    /// Rows on one sheet.
    qint16 NumDown() const { return numDown_; }
    void setNumDown(qint16 count) { numDown_ = count; }
    /// Paper orientation for the printer: 1 portrait, 2 landscape.
    qint16 Orientation() const { return orientation_; }
    void setOrientation(qint16 orientation) { orientation_ = orientation; }
    /// Horizontal printer offset (inches).
    float PrinterLeft() const { return printerLeft_; }
    void setPrinterLeft(float inches) { printerLeft_ = inches; }
    /// Vertical printer offset (inches).
    float PrinterTop() const { return printerTop_; }
    void setPrinterTop(float inches) { printerTop_ = inches; }
    /// Sheet height (inches).
    float Height() const { return height_; }
    void setHeight(float inches) { height_ = inches; }
    /// Sheet width (inches).
    float Width() const { return width_; }
    void setWidth(float inches) { width_ = inches; }
    /// Height of one piece (inches).
    float PieceHeight() const { return pieceHeight_; }
    void setPieceHeight(float inches) { pieceHeight_ = inches; }
    /// Width of one piece (inches).
    float PieceWidth() const { return pieceWidth_; }
    void setPieceWidth(float inches) { pieceWidth_ = inches; }
    /// One column's left edge to the next one's (inches).
    float PiecePitchAcross() const { return piecePitchAcross_; }
    void setPiecePitchAcross(float inches) { piecePitchAcross_ = inches; }
    /// One row's top edge to the next one's (inches).
    float PiecePitchDown() const { return piecePitchDown_; }
    void setPiecePitchDown(float inches) { piecePitchDown_ = inches; }
    /// 1-based position on the first sheet that takes the first piece.
    qint16 StartingPiece() const { return startingPiece_; }
    void setStartingPiece(qint16 position) { startingPiece_ = position; }
    /// Name of the catalogue definition that produced this geometry.
    QString PieceName() const { return pieceName_; }
    void setPieceName(const QString& name) { pieceName_ = name; }
    /// First piece that PrintMain prints (0: the first).
    qint32 PrintFrom() const { return printFrom_; }
    void setPrintFrom(qint32 piece) { printFrom_ = piece; }
    /// Last piece that PrintMain prints (0: the last).
    qint32 PrintTo() const { return printTo_; }
    void setPrintTo(qint32 piece) { printTo_ = piece; }

    /// A new, independent record with the same values in all seventeen fields.
    Q_INVOKABLE std::shared_ptr<tav::TavSheetCls> Copy() const;
    /// Takes the values of all seventeen fields of `other`.
    void assign(const TavSheetCls& other);

private:
    float marginLeft_ = 0;
    float marginTop_ = 0;
    qint16 numAcross_ = 0;
    qint16 numDown_ = 0;
    qint16 orientation_ = 0;
    float printerLeft_ = 0;
    float printerTop_ = 0;
    float height_ = 0;
    float width_ = 0;
    float pieceHeight_ = 0;
    float pieceWidth_ = 0;
    float piecePitchAcross_ = 0;
    float piecePitchDown_ = 0;
    qint16 startingPiece_ = 0;
    QString pieceName_;
    qint32 printFrom_ = 0;
    qint32 printTo_ = 0;
};

} // namespace tav

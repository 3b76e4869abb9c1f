#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"

#include <QObject>
#include <QString>

namespace tav {

/// Geometry of one sheet of pieces; lengths in inches. A passive record: it validates nothing.
class MAILPIECE_EXPORT TavSheetCls : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Marginleft READ Marginleft WRITE setMarginleft NOTIFY changed)
    Q_PROPERTY(float MarginTop READ MarginTop WRITE setMarginTop NOTIFY changed)
    Q_PROPERTY(qint16 NumAcross READ NumAcross WRITE setNumAcross NOTIFY changed)
    Q_PROPERTY(qint16 NumDown READ NumDown WRITE setNumDown NOTIFY changed)
    Q_PROPERTY(qint16 Orientation READ Orientation WRITE setOrientation NOTIFY changed)
    Q_PROPERTY(float PrinterLeft READ PrinterLeft WRITE setPrinterLeft NOTIFY changed)
    Q_PROPERTY(float PrinterTop READ PrinterTop WRITE setPrinterTop NOTIFY changed)
    Q_PROPERTY(float Height READ Height WRITE setHeight NOTIFY changed)
    Q_PROPERTY(float Width READ Width WRITE setWidth NOTIFY changed)
    Q_PROPERTY(float PieceHeight READ PieceHeight WRITE setPieceHeight NOTIFY changed)
    Q_PROPERTY(float PieceWidth READ PieceWidth WRITE setPieceWidth NOTIFY changed)
    Q_PROPERTY(
        float PiecePitchAcross READ PiecePitchAcross WRITE setPiecePitchAcross NOTIFY changed)
    Q_PROPERTY(float PiecePitchDown READ PiecePitchDown WRITE setPiecePitchDown NOTIFY changed)
    Q_PROPERTY(qint16 StartingPiece READ StartingPiece WRITE setStartingPiece NOTIFY changed)
    Q_PROPERTY(QString PieceName READ PieceName WRITE setPieceName NOTIFY changed)
    Q_PROPERTY(qint32 PrintFrom READ PrintFrom WRITE setPrintFrom NOTIFY changed)
    Q_PROPERTY(qint32 PrintTo READ PrintTo WRITE setPrintTo NOTIFY changed)
    Q_PROPERTY(qint16 PieceRotation READ PieceRotation WRITE setPieceRotation NOTIFY changed)

public:
    /// A record holding zero in every number and "" in PieceName.
    TavSheetCls() = default;

    /// Sheet's left edge to the first column's left edge (inches).
    float Marginleft() const { return marginLeft_; }
    void setMarginleft(float inches) {
        marginLeft_ = inches;
        emit changed();
    }
    /// Sheet's top edge to the first row's top edge (inches).
    float MarginTop() const { return marginTop_; }
    void setMarginTop(float inches) {
        marginTop_ = inches;
        emit changed();
    }
    /// Pieces in one row.
    qint16 NumAcross() const { return numAcross_; }
    void setNumAcross(qint16 count) {
        numAcross_ = count;
        emit changed();
    }
    /// Rows on one sheet.
    qint16 NumDown() const { return numDown_; }
    void setNumDown(qint16 count) {
        numDown_ = count;
        emit changed();
    }
    /// Paper orientation for the printer: 1 portrait, 2 landscape.
    qint16 Orientation() const { return orientation_; }
    void setOrientation(qint16 orientation) {
        orientation_ = orientation;
        emit changed();
    }
    /// Horizontal printer offset (inches).
    float PrinterLeft() const { return printerLeft_; }
    void setPrinterLeft(float inches) {
        printerLeft_ = inches;
        emit changed();
    }
    /// Vertical printer offset (inches).
    float PrinterTop() const { return printerTop_; }
    void setPrinterTop(float inches) {
        printerTop_ = inches;
        emit changed();
    }
    /// Sheet height (inches).
    float Height() const { return height_; }
    void setHeight(float inches) {
        height_ = inches;
        emit changed();
    }
    /// Sheet width (inches).
    float Width() const { return width_; }
    void setWidth(float inches) {
        width_ = inches;
        emit changed();
    }
    /// Height of one piece (inches).
    float PieceHeight() const { return pieceHeight_; }
    void setPieceHeight(float inches) {
        pieceHeight_ = inches;
        emit changed();
    }
    /// Width of one piece (inches).
    float PieceWidth() const { return pieceWidth_; }
    void setPieceWidth(float inches) {
        pieceWidth_ = inches;
        emit changed();
    }
    /// One column's left edge to the next one's (inches).
    float PiecePitchAcross() const { return piecePitchAcross_; }
    void setPiecePitchAcross(float inches) {
        piecePitchAcross_ = inches;
        emit changed();
    }
    /// One row's top edge to the next one's (inches).
    float PiecePitchDown() const { return piecePitchDown_; }
    void setPiecePitchDown(float inches) {
        piecePitchDown_ = inches;
        emit changed();
    }
    /// 1-based position on the first sheet that takes the first piece.
    qint16 StartingPiece() const { return startingPiece_; }
    void setStartingPiece(qint16 position) {
        startingPiece_ = position;
        emit changed();
    }
    /// Name of the catalogue definition that produced this geometry.
    QString PieceName() const { return pieceName_; }
    void setPieceName(const QString& name) {
        pieceName_ = name;
        emit changed();
    }
    /// First piece that PrintMain prints (0: the first).
    qint32 PrintFrom() const { return printFrom_; }
    void setPrintFrom(qint32 piece) {
        printFrom_ = piece;
        emit changed();
    }
    /// Last piece that PrintMain prints (0: the last).
    qint32 PrintTo() const { return printTo_; }
    void setPrintTo(qint32 piece) {
        printTo_ = piece;
        emit changed();
    }

    /// How the pieces lie on their paper: 0 as designed, 90 turned a quarter turn (a roll label
    /// designed as the reader holds it and printed as the printer feeds it). The geometry above
    /// is always the reader's.
    qint16 PieceRotation() const { return pieceRotation_; }
    void setPieceRotation(qint16 degrees) {
        pieceRotation_ = degrees;
        emit changed();
    }

    /// A new, independent record with the same values in all eighteen fields.
    Q_INVOKABLE std::shared_ptr<tav::TavSheetCls> Copy() const;
    /// Takes the values of all eighteen fields of `other`.
    void assign(const TavSheetCls& other);

signals:
    /// A property changed (the NOTIFY signal of them all).
    void changed();

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
    qint16 pieceRotation_ = 0;
};

} // namespace tav

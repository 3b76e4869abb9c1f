#pragma once

#include "tracking_codes.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace mailpiece {

/// What the batch program was asked to do.
struct BatchOptions {
    QString mailing;                      // the mailing file; "-" standard input
    QChar delimiter;                      // null: found from the header line
    QString encoding;                     // empty: from the byte-order mark or the bytes
    bool workAddress = false;             // a vCard file: the work address, not the home one
    QString sheet;                        // a workbook's sheet, by name or number; empty: the first
    QString copiesColumn;                 // the column saying how many of each row; empty: one
    qint32 repeat = 1;                    // each row this many times (beside copiesColumn's)
    bool fillSheet = false;               // the last sheet filled with copies of the last piece
    bool sortByZip = false;               // the mailing in ZIP code order, with its summary
    bool postalStyle = false;             // addresses as the post office reads them best
    bool endorsementLine = false;         // each label's sort level above its address (OEL)
    QString endorsement;                  // an ancillary service endorsement, as it prints
    QString sql;                          // a database connection instead of a file
    QString query;                        // with sql: a SELECT or a table name
    std::array<QString, 7> itemTemplates; // empty: the item is not printed
    bool addressMode = false;             // items from the composed address block
    bool columnsMode = false;             // column k as item k, even with address columns
    bool itemsGiven = false;              // some --item template was given
    bool envelopeMode = false;            // envelopes: the address of each row, its ZIP as bars
    QString returnAddress;                // printed in an envelope's top left corner
    QString zipColumn = QStringLiteral("Zip");
    std::optional<TrackingCodes> tracking; // the Intelligent Mail barcode; none: POSTNET
    qint16 symbology = 0;                  // another post's code (TavSymbology); 0: as above
    QString barcodeColumn;                 // with another post's code: its values' column
    bool strictFit = false;                // texts or bars that do not fit stop the run
    bool strictZip = false;                // a ZIP code not of 5, 9 or 11 digits is a bad row
    QString piece;           // a catalogue piece for the sheet geometry; empty: the options below
    bool listPieces = false; // list the catalogue and stop
    bool listAll = false;    // and say which templates of the library were left out, and why
    bool geometryGiven = false;
    // Sheet geometry, inches; the defaults are a sheet of 30 address labels.
    qint16 across = 3;
    qint16 down = 10;
    float marginLeft = 0.1875f;
    float marginTop = 0.5f;
    float pitchAcross = 2.75f;
    float pitchDown = 1.0f;
    float pieceWidth = 2.625f;
    float pieceHeight = 1.0f;
    float sheetWidth = 8.5f;
    float sheetHeight = 11.0f;
    bool landscape = false;
    std::optional<qint16> rotation; // --rotate 90, --no-rotate 0; none: the piece's own
    double fontSize = 9;
    qint16 startingPiece = 1;
    float printerTop = 0;
    float printerLeft = 0;
    qint32 from = 0;
    qint32 to = 0;
    QString pdf;            // one PDF document; empty: the printer
    qint32 dotsPerInch = 0; // with pdf: the resolution of the printer it is for; 0: none
    QString printer;        // a CUPS printer by name; empty: the default one
};

/// The options in `arguments` (program name first), or an error message in `error` (one line).
/// `help`, when given, tells whether --help was asked for.
std::optional<BatchOptions> parseBatchOptions(const QStringList& arguments, QString& error,
                                              bool* help = nullptr);

/// The text of --help.
QString batchUsage();

} // namespace mailpiece

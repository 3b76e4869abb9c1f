#include "batch_options.h"

#include "tav_error.h"

#include <functional>
#include <map>

namespace mailpiece {

namespace {

bool toNumber(const QString& text, float& out) {
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (ok && std::isfinite(value))
        out = value;
    return ok && std::isfinite(value);
}

bool toWhole(const QString& text, qint32& out, qint32 low, qint32 high) {
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    if (ok && value >= low && value <= high)
        out = value;
    return ok && value >= low && value <= high;
}

} // namespace

QString batchUsage() {
    return QStringLiteral(
        "Usage: mailpiece-batch [options] MAILING.csv\n"
        "Prints a mailing (delimited text with a header row) on sheets of labels or on\n"
        "envelopes, one print job a sheet.\n"
        "\n"
        "The mailing:\n"
        "  --csv FILE               the delimited text file (or name it last); - reads standard\n"
        "                           input\n"
        "  --delimiter C            the field separator: , ; | tab (found from the header line)\n"
        "  --encoding NAME          UTF-8, UTF-16LE, Windows-1252, ... (from the byte-order mark,\n"
        "                           else UTF-8, else Windows-1252)\n"
        "  --sql CONNECTION         read a database instead: a .sqlite or .db file,\n"
        "                           postgresql://[USER@]HOST[:PORT]/DATABASE, or DRIVER:NAME;\n"
        "                           the password comes from MAILPIECE_DB_PASSWORD (or\n"
        "                           PGPASSWORD), else a prompt\n"
        "  --query SQL              with --sql: a SELECT, or a table name for all its rows\n"
        "  --strict-zip             leave out rows whose ZIP code is not 5, 9 or 11 digits (a\n"
        "                           warning otherwise)\n"
        "\n"
        "Texts (by default column k goes to item k, for the first seven columns):\n"
        "  --item1 .. --item7 TEXT  the template of item k; <<Name>> is the column Name,\n"
        "                           <<Item3>> the third column; an empty TEXT hides the item\n"
        "  --address                print the address composed from the columns First, Middle,\n"
        "                           Last, Address, AddressLine2, City, State, Zip\n"
        "  --envelope               print envelopes (\"Size 10 - Envelope\" unless --piece names\n"
        "                           another): the address from the columns above, the bar\n"
        "                           code from Zip under it\n"
        "  --return-address TEXT    the sender on each envelope; \\n or a line break starts a\n"
        "                           new line\n"
        "  --zip COLUMN             the column with the ZIP code for the bar code (Zip);\n"
        "                           --zip \"\" prints no bar code\n"
        "  --font-size POINTS       size of the text, 6 to 72 (9); smaller where the lines\n"
        "                           would not fit the label\n"
        "Intelligent Mail barcode (in place of POSTNET; the ZIP code is its routing code):\n"
        "  --imb-mailer-id ID       your mailer identifier: 6 digits, or 9 starting with 9\n"
        "  --imb-service STID       the 3-digit service type identifier, e.g. 700\n"
        "  --imb-barcode-id BI      the 2-digit barcode identifier, second digit 0-4 (00)\n"
        "  --imb-serial-start N     the first piece's serial number; each next piece counts\n"
        "                           up, padded to the serial's 9 (or 6) digits (1)\n"
        "  --imb-tracking-column NAME  whole 20-digit tracking codes from this column instead\n"
        "  --strict-fit             stop when a text or a bar code does not fit its label or\n"
        "                           envelope (otherwise a warning names the piece and its row)\n"
        "Sheet (inches; the default is 30 labels of 2-5/8 x 1 on US Letter):\n"
        "  --piece NAME             a piece of the catalogue, e.g. \"5160 - Address\"\n"
        "  --list-pieces            list the catalogue's pieces and stop (with the label\n"
        "                           template library and your own catalogue); --all also\n"
        "                           says how many templates were left out and why\n"
        "  --across N --down N      positions per row and rows per sheet (3, 10)\n"
        "  --margin-left IN --margin-top IN      corner of the first label (0.1875, 0.5)\n"
        "  --pitch-across IN --pitch-down IN     label to label (2.75, 1)\n"
        "  --piece-width IN --piece-height IN    label size (2.625, 1)\n"
        "  --sheet-width IN --sheet-height IN    paper size (8.5, 11)\n"
        "  --landscape              print across the long edge\n"
        "  --start N                first free position on a partly used first sheet (1)\n"
        "Printing:\n"
        "  --printer-top IN --printer-left IN    offsets for the printer's own margins\n"
        "  --from N --to N          print only the sheets holding pieces N to N\n"
        "  --pdf FILE               write one PDF document instead of printing\n"
        "  --printer NAME           print on this CUPS printer instead of the default one\n"
        "  --help                   show this text\n");
}

std::optional<BatchOptions> parseBatchOptions(const QStringList& arguments, QString& error) {
    BatchOptions options;
    const auto floatOption = [&](float& target) {
        return [&target](const QString& value) { return toNumber(value, target); };
    };
    const auto shortOption = [&](qint16& target, qint32 low, qint32 high) {
        return [&target, low, high](const QString& value) {
            qint32 whole = 0;
            if (!toWhole(value, whole, low, high))
                return false;
            target = static_cast<qint16>(whole);
            return true;
        };
    };
    QString imbMailerId, imbService, imbBarcodeId, imbSerialStart, imbTrackingColumn;
    const auto textOption = [](QString& target) {
        return [&target](const QString& value) {
            target = value.trimmed();
            return !target.isEmpty();
        };
    };
    std::map<QString, std::function<bool(const QString&)>> valued = {
        {QStringLiteral("--zip"),
         [&](const QString& v) {
             options.zipColumn = v;
             return true;
         }},
        {QStringLiteral("--font-size"),
         [&](const QString& v) {
             bool ok = false;
             options.fontSize = v.toDouble(&ok);
             return ok && options.fontSize >= 6 && options.fontSize <= 72;
         }},
        {QStringLiteral("--across"), shortOption(options.across, 1, 32767)},
        {QStringLiteral("--down"), shortOption(options.down, 1, 32767)},
        {QStringLiteral("--margin-left"), floatOption(options.marginLeft)},
        {QStringLiteral("--margin-top"), floatOption(options.marginTop)},
        {QStringLiteral("--pitch-across"), floatOption(options.pitchAcross)},
        {QStringLiteral("--pitch-down"), floatOption(options.pitchDown)},
        {QStringLiteral("--piece-width"), floatOption(options.pieceWidth)},
        {QStringLiteral("--piece-height"), floatOption(options.pieceHeight)},
        {QStringLiteral("--sheet-width"), floatOption(options.sheetWidth)},
        {QStringLiteral("--sheet-height"), floatOption(options.sheetHeight)},
        {QStringLiteral("--start"), shortOption(options.startingPiece, 1, 32767)},
        {QStringLiteral("--printer-top"), floatOption(options.printerTop)},
        {QStringLiteral("--printer-left"), floatOption(options.printerLeft)},
        {QStringLiteral("--from"),
         [&](const QString& v) { return toWhole(v, options.from, 1, INT32_MAX); }},
        {QStringLiteral("--to"),
         [&](const QString& v) { return toWhole(v, options.to, 1, INT32_MAX); }},
        {QStringLiteral("--piece"),
         [&](const QString& v) {
             options.piece = v.trimmed();
             return !options.piece.isEmpty();
         }},
        {QStringLiteral("--return-address"),
         [&](const QString& v) {
             options.returnAddress =
                 QString(v).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
             return true;
         }},
        {QStringLiteral("--pdf"),
         [&](const QString& v) {
             options.pdf = v;
             return !v.isEmpty();
         }},
        {QStringLiteral("--printer"),
         [&](const QString& v) {
             options.printer = v;
             return !v.isEmpty();
         }},
        {QStringLiteral("--csv"),
         [&](const QString& v) {
             if (!options.mailing.isEmpty() && options.mailing != v)
                 return false;
             options.mailing = v;
             return !v.isEmpty();
         }},
        {QStringLiteral("--delimiter"),
         [&](const QString& v) {
             static const std::map<QString, QChar> names = {
                 {QStringLiteral("comma"), QLatin1Char(',')},
                 {QStringLiteral("semicolon"), QLatin1Char(';')},
                 {QStringLiteral("tab"), QLatin1Char('\t')},
                 {QStringLiteral("\\t"), QLatin1Char('\t')},
                 {QStringLiteral("pipe"), QLatin1Char('|')}};
             const auto named = names.find(v.toLower());
             options.delimiter = named != names.end() ? named->second
                                 : v.size() == 1      ? v.at(0)
                                                      : QChar();
             const char16_t c = options.delimiter.unicode();
             return c != 0 && c < 128 && c != '"' && c != '\r' && c != '\n';
         }},
        {QStringLiteral("--encoding"), textOption(options.encoding)},
        {QStringLiteral("--sql"), textOption(options.sql)},
        {QStringLiteral("--query"), textOption(options.query)},
        {QStringLiteral("--imb-mailer-id"), textOption(imbMailerId)},
        {QStringLiteral("--imb-service"), textOption(imbService)},
        {QStringLiteral("--imb-barcode-id"), textOption(imbBarcodeId)},
        {QStringLiteral("--imb-serial-start"), textOption(imbSerialStart)},
        {QStringLiteral("--imb-tracking-column"), textOption(imbTrackingColumn)},
    };
    for (int k = 0; k < 7; ++k)
        valued[QStringLiteral("--item%1").arg(k + 1)] = [&options, k](const QString& v) {
            options.itemTemplates[k] = v;
            return true;
        };

    std::array<bool, 7> templateGiven{};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--list-pieces")) {
            options.listPieces = true;
        } else if (argument == QLatin1String("--all")) {
            options.listAll = true;
        } else if (argument == QLatin1String("--address")) {
            options.addressMode = true;
        } else if (argument == QLatin1String("--envelope")) {
            options.envelopeMode = true;
        } else if (argument == QLatin1String("--landscape")) {
            options.landscape = true;
        } else if (argument == QLatin1String("--strict-fit")) {
            options.strictFit = true;
        } else if (argument == QLatin1String("--strict-zip")) {
            options.strictZip = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            const QString name = argument.section(QLatin1Char('='), 0, 0);
            const auto handler = valued.find(name);
            if (handler == valued.end()) {
                error = QStringLiteral("unknown option %1").arg(argument);
                return std::nullopt;
            }
            QString value;
            if (argument.contains(QLatin1Char('='))) {
                value = argument.section(QLatin1Char('='), 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                error = QStringLiteral("%1 needs a value").arg(name);
                return std::nullopt;
            }
            if (!handler->second(value)) {
                error = QStringLiteral("%1: \"%2\" is not a usable value").arg(name, value);
                return std::nullopt;
            }
            if (name.startsWith(QLatin1String("--item")))
                templateGiven[name.mid(6).toInt() - 1] = true;
            static const QStringList geometry = {
                QStringLiteral("--across"),       QStringLiteral("--down"),
                QStringLiteral("--margin-left"),  QStringLiteral("--margin-top"),
                QStringLiteral("--pitch-across"), QStringLiteral("--pitch-down"),
                QStringLiteral("--piece-width"),  QStringLiteral("--piece-height"),
                QStringLiteral("--sheet-width"),  QStringLiteral("--sheet-height")};
            options.geometryGiven = options.geometryGiven || geometry.contains(name);
        } else if (options.mailing.isEmpty()) {
            options.mailing = argument;
        } else {
            error = QStringLiteral("one mailing file only (got %1 and %2)")
                        .arg(options.mailing, argument);
            return std::nullopt;
        }
    }
    if (options.listAll && !options.listPieces) {
        error = QStringLiteral("--all is for --list-pieces");
        return std::nullopt;
    }
    if (options.listPieces)
        return options;
    if (!options.sql.isEmpty()) {
        if (!options.mailing.isEmpty()) {
            error =
                QStringLiteral("read either --sql or the file %1, not both").arg(options.mailing);
            return std::nullopt;
        }
        if (options.query.isEmpty()) {
            error = QStringLiteral("--sql needs --query: a SELECT, or the name of a table");
            return std::nullopt;
        }
        if (!options.delimiter.isNull() || !options.encoding.isEmpty()) {
            error = QStringLiteral("--delimiter and --encoding are for text files, not --sql");
            return std::nullopt;
        }
    } else if (!options.query.isEmpty()) {
        error = QStringLiteral("--query is for --sql");
        return std::nullopt;
    } else if (options.mailing.isEmpty()) {
        error = QStringLiteral("no mailing file given");
        return std::nullopt;
    }
    if (!options.piece.isEmpty() && options.geometryGiven) {
        error = QStringLiteral("--piece gives the sheet geometry; leave out the geometry options");
        return std::nullopt;
    }
    if (options.envelopeMode &&
        (options.geometryGiven || options.addressMode ||
         std::find(templateGiven.begin(), templateGiven.end(), true) != templateGiven.end())) {
        error = QStringLiteral("--envelope lays out the envelope itself; leave out --address, "
                               "--item and the geometry options");
        return std::nullopt;
    }
    if (!options.envelopeMode && !options.returnAddress.isEmpty()) {
        error = QStringLiteral("--return-address is for --envelope");
        return std::nullopt;
    }
    if (!imbTrackingColumn.isEmpty() && !imbMailerId.isEmpty()) {
        error = QStringLiteral("--imb-tracking-column gives whole tracking codes; leave out "
                               "--imb-mailer-id");
        return std::nullopt;
    }
    if (imbMailerId.isEmpty() &&
        !(imbService.isEmpty() && imbBarcodeId.isEmpty() && imbSerialStart.isEmpty())) {
        error = QStringLiteral("--imb-service, --imb-barcode-id and --imb-serial-start number "
                               "the pieces of --imb-mailer-id; give it too");
        return std::nullopt;
    }
    if (!imbMailerId.isEmpty() && imbService.isEmpty()) {
        error = QStringLiteral("--imb-mailer-id needs --imb-service");
        return std::nullopt;
    }
    if ((!imbMailerId.isEmpty() || !imbTrackingColumn.isEmpty()) && options.zipColumn.isEmpty()) {
        error = QStringLiteral("--zip \"\" prints no bar code; leave out the --imb options");
        return std::nullopt;
    }
    if (!imbTrackingColumn.isEmpty())
        options.tracking = TrackingCodes::fromColumn(imbTrackingColumn);
    if (!imbMailerId.isEmpty()) {
        bool whole = imbSerialStart.isEmpty();
        const qint64 serial = whole ? 1 : imbSerialStart.toLongLong(&whole);
        if (!whole) {
            error = QStringLiteral("--imb-serial-start: \"%1\" is not a whole number")
                        .arg(imbSerialStart);
            return std::nullopt;
        }
        try {
            options.tracking = TrackingCodes::numbered(imbBarcodeId.isEmpty() ? QStringLiteral("00")
                                                                              : imbBarcodeId,
                                                       imbService, imbMailerId, serial);
        } catch (const tav::TavError& refused) {
            error = refused.description();
            return std::nullopt;
        }
    }
    if (options.pieceWidth <= 0 || options.pieceHeight <= 0) {
        error = QStringLiteral("labels need a width and a height above 0");
        return std::nullopt;
    }
    // Without any --item, column k goes to item k; with some, the others stay empty.
    const bool anyGiven =
        std::find(templateGiven.begin(), templateGiven.end(), true) != templateGiven.end();
    for (int k = 0; k < 7; ++k)
        if (!anyGiven)
            options.itemTemplates[k] = QStringLiteral("<<Item%1>>").arg(k + 1);
    return options;
}

} // namespace mailpiece

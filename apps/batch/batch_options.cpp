#include "batch_options.h"

#include "tav_enum_cls.h"
#include "tav_error.h"

#include <QCommandLineParser>

#include <algorithm>
#include <functional>
#include <map>

namespace mailpiece {

namespace {

// One option: its name, the name of its value (none for a switch) and what it does.
struct OptionSpec {
    const char* name;
    const char* value;
    const char* help;
};

const OptionSpec kOptions[] = {
    {"csv", "FILE",
     "The mailing: delimited text, a workbook (.xlsx, .xlsm, .ods, .xls) or a vCard address "
     "book (.vcf), told apart by content; or name it last; - reads standard input."},
    {"sheet", "NAME|N",
     "With a workbook: the sheet, by name or number from 1 (the first that has rows)."},
    {"copies-column", "NAME",
     "Print each row as many times as its column NAME says (0 to 10,000; 0 leaves the row out, "
     "an empty cell prints it once)."},
    {"repeat", "N", "Print each row N times (1 to 10,000), as return address labels are."},
    {"fill-sheet", nullptr,
     "Fill the rest of the last sheet with copies of the last piece (a sheet of one address: "
     "one row and --fill-sheet)."},
    {"sort", "zip",
     "Print the mailing in ZIP code order (5-digit, then ZIP+4) and list the pieces by ZIP code "
     "and 3-digit prefix: sorting, not a certified presort."},
    {"postal-style", nullptr,
     "Print addresses as the post office reads them best: capitals, no punctuation, the "
     "standard street suffixes and unit designators, 8 pt at least (USPS Publication 28)."},
    {"endorsement-line", nullptr,
     "With --sort zip: print each label's sort level above its address, the optional "
     "endorsement line (*****AUTO**5-DIGIT 02134)."},
    {"endorsement", "TEXT",
     "Print an ancillary service endorsement (\"Return Service Requested\", Address, Change, "
     "Forwarding, Electronic) above the address, or below the return address on envelopes."},
    {"symbology", "NAME",
     "Another post's bar code instead of POSTNET: royal-mail (RM4SCC), kix (PostNL) or "
     "australia-post; its values come from --barcode-column."},
    {"barcode-column", "NAME",
     "With --symbology: the column holding each piece's bar code value (a postcode and delivery "
     "point suffix, a KIX code, an 8-digit DPID and customer information)."},
    {"dpi", "N",
     "With --pdf: the dots per inch of the printer the document is for (203 or 300 for a "
     "thermal label printer): bar codes fall on its whole dots."},
    {"address-type", "TYPE",
     "With a vCard file: each contact's home (the default) or work address."},
    {"delimiter", "C", "The field separator: , ; | tab (found from the header line)."},
    {"encoding", "NAME",
     "UTF-8, UTF-16LE, Windows-1252, ... (from the byte-order mark, else UTF-8, else "
     "Windows-1252)."},
    {"sql", "CONNECTION",
     "Read a database instead: a .sqlite or .db file, postgresql://[USER@]HOST[:PORT]/DATABASE, "
     "or DRIVER:NAME; the password comes from MAILPIECE_DB_PASSWORD (or PGPASSWORD), else a "
     "prompt."},
    {"query", "SQL", "With --sql: a SELECT, or a table name for all its rows."},
    {"strict-zip", nullptr,
     "Leave out rows whose ZIP code is not 5, 9 or 11 digits (a warning otherwise)."},
    {"address", nullptr,
     "Print the address composed from the columns First, Middle, Last, Organization, Address, "
     "AddressLine2, City, State, Zip, Country, or those of an Outlook, Google Contacts or "
     "Thunderbird export (the default when the header has them)."},
    {"columns", nullptr, "Print column k as item k, for the first seven columns."},
    {"item1", "TEXT",
     "The template of item 1 (--item2 .. --item7 likewise); <<Name>> is the column Name, "
     "<<Item3>> the third column; an empty TEXT hides the item."},
    {"item2", "TEXT", ""},
    {"item3", "TEXT", ""},
    {"item4", "TEXT", ""},
    {"item5", "TEXT", ""},
    {"item6", "TEXT", ""},
    {"item7", "TEXT", ""},
    {"envelope", nullptr,
     "Print envelopes (\"Size 10 - Envelope\" unless --piece names another): the address "
     "from the address columns, the bar code from Zip under it."},
    {"return-address", "TEXT",
     "The sender on each envelope; \\n or a line break starts a new line."},
    {"zip", "COLUMN",
     "The column with the ZIP code for the bar code (Zip); --zip \"\" prints no bar code."},
    {"font-size", "POINTS",
     "Size of the text, 6 to 72 (9); smaller where the lines would not fit the label."},
    {"imb-mailer-id", "ID",
     "Print the Intelligent Mail barcode: your mailer identifier, 6 digits or 9 starting "
     "with 9."},
    {"imb-service", "STID", "The 3-digit service type identifier, e.g. 700."},
    {"imb-barcode-id", "BI", "The 2-digit barcode identifier, second digit 0-4 (00)."},
    {"imb-serial-start", "N",
     "The first piece's serial number; each next piece counts up, padded to the serial's 9 "
     "(or 6) digits (1)."},
    {"imb-tracking-column", "NAME", "Whole 20-digit tracking codes from this column instead."},
    {"strict-fit", nullptr,
     "Stop when a text or a bar code does not fit its label or envelope (otherwise a warning "
     "names the piece and its row)."},
    {"piece", "NAME",
     "A piece of the catalogue, e.g. \"5160 - Address\", \"5160\" or \"Avery 5160\"."},
    {"list-pieces", nullptr,
     "List the catalogue's pieces and stop (with the label template library and your own "
     "catalogue)."},
    {"all", nullptr, "With --list-pieces: also say how many templates were left out and why."},
    {"across", "N", "Positions per row (3)."},
    {"down", "N", "Rows per sheet (10)."},
    {"margin-left", "IN", "Left edge of the first label, inches (0.1875)."},
    {"margin-top", "IN", "Top edge of the first label, inches (0.5)."},
    {"pitch-across", "IN", "Label to label across, inches (2.75)."},
    {"pitch-down", "IN", "Label to label down, inches (1)."},
    {"piece-width", "IN", "Label width, inches (2.625)."},
    {"piece-height", "IN", "Label height, inches (1)."},
    {"sheet-width", "IN", "Paper width, inches (8.5)."},
    {"sheet-height", "IN", "Paper height, inches (11)."},
    {"landscape", nullptr, "Print across the long edge."},
    {"rotate", nullptr,
     "Turn the labels a quarter turn on their paper: designed as read, printed as a label "
     "printer feeds them (the default for roll labels taller than wide)."},
    {"no-rotate", nullptr, "Print the labels as they lie on their paper, not turned."},
    {"start", "N", "First free position on a partly used first sheet (1)."},
    {"printer-top", "IN", "Offset for the printer's own top margin, inches."},
    {"printer-left", "IN", "Offset for the printer's own left margin, inches."},
    {"from", "N", "Print only the sheets holding pieces N to --to."},
    {"to", "N", "See --from."},
    {"pdf", "FILE", "Write one PDF document instead of printing."},
    {"printer", "NAME", "Print on this CUPS printer instead of the default one."},
};

const char* const kGeometry[] = {"across",       "down",        "margin-left", "margin-top",
                                 "pitch-across", "pitch-down",  "piece-width", "piece-height",
                                 "sheet-width",  "sheet-height"};

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Prints a mailing (delimited text or a workbook with a header row, an "
                       "address book, or a database query) on sheets of labels or on envelopes, "
                       "one print job a sheet (on a roll, one job of a page a label). The "
                       "default sheet is 30 labels of 2-5/8 x 1 in on US Letter."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    for (const OptionSpec& spec : kOptions) {
        QCommandLineOption option(QString::fromLatin1(spec.name), QString::fromUtf8(spec.help));
        if (spec.value != nullptr)
            option.setValueName(QString::fromLatin1(spec.value));
        if (spec.help[0] == '\0')
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("MAILING"),
                                 QStringLiteral("The mailing file, as --csv."));
}

// Reads the value of `name` into `out` when given; false when it is given and not usable.
template <typename Read> bool read(const QCommandLineParser& parser, const char* name, Read read) {
    const QString key = QString::fromLatin1(name);
    return !parser.isSet(key) || read(parser.value(key));
}

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

std::optional<QChar> delimiterOf(const QString& text) {
    static const std::map<QString, QChar> names = {{QStringLiteral("comma"), QLatin1Char(',')},
                                                   {QStringLiteral("semicolon"), QLatin1Char(';')},
                                                   {QStringLiteral("tab"), QLatin1Char('\t')},
                                                   {QStringLiteral("\\t"), QLatin1Char('\t')},
                                                   {QStringLiteral("pipe"), QLatin1Char('|')}};
    const auto named = names.find(text.toLower());
    const QChar c = named != names.end() ? named->second : text.size() == 1 ? text.at(0) : QChar();
    if (c.isNull() || c.unicode() >= 128 || c == u'"' || c == u'\r' || c == u'\n')
        return std::nullopt;
    return c;
}

// Reads every value option into `options`; the name of the first that is unusable, or "".
QString readValues(const QCommandLineParser& parser, BatchOptions& options) {
    const auto inches = [](float& target) {
        return [&target](const QString& v) { return toNumber(v, target); };
    };
    const auto count = [](qint16& target) {
        return [&target](const QString& v) {
            qint32 whole = 0;
            if (!toWhole(v, whole, 1, 32767))
                return false;
            target = static_cast<qint16>(whole);
            return true;
        };
    };
    const auto text = [](QString& target) {
        return [&target](const QString& v) {
            target = v.trimmed();
            return !target.isEmpty();
        };
    };
    const std::pair<const char*, std::function<bool(const QString&)>> readers[] = {
        {"zip",
         [&](const QString& v) {
             options.zipColumn = v;
             return true;
         }},
        {"font-size",
         [&](const QString& v) {
             bool ok = false;
             options.fontSize = v.toDouble(&ok);
             return ok && options.fontSize >= 6 && options.fontSize <= 72;
         }},
        {"across", count(options.across)},
        {"down", count(options.down)},
        {"margin-left", inches(options.marginLeft)},
        {"margin-top", inches(options.marginTop)},
        {"pitch-across", inches(options.pitchAcross)},
        {"pitch-down", inches(options.pitchDown)},
        {"piece-width", inches(options.pieceWidth)},
        {"piece-height", inches(options.pieceHeight)},
        {"sheet-width", inches(options.sheetWidth)},
        {"sheet-height", inches(options.sheetHeight)},
        {"start", count(options.startingPiece)},
        {"printer-top", inches(options.printerTop)},
        {"printer-left", inches(options.printerLeft)},
        {"from", [&](const QString& v) { return toWhole(v, options.from, 1, INT32_MAX); }},
        {"to", [&](const QString& v) { return toWhole(v, options.to, 1, INT32_MAX); }},
        {"piece", text(options.piece)},
        {"return-address",
         [&](const QString& v) {
             options.returnAddress =
                 QString(v).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
             return true;
         }},
        {"pdf", text(options.pdf)},
        {"printer", text(options.printer)},
        {"csv", text(options.mailing)},
        {"sheet", text(options.sheet)},
        {"copies-column", text(options.copiesColumn)},
        {"repeat", [&](const QString& v) { return toWhole(v, options.repeat, 1, 10000); }},
        {"dpi", [&](const QString& v) { return toWhole(v, options.dotsPerInch, 72, 2400); }},
        {"symbology",
         [&](const QString& v) {
             const std::pair<const char*, tav::TavSymbology> names[] = {
                 {"postnet", tav::TavEnumCls::TavPostnet},
                 {"royal-mail", tav::TavEnumCls::TavRoyalMail},
                 {"rm4scc", tav::TavEnumCls::TavRoyalMail},
                 {"kix", tav::TavEnumCls::TavKix},
                 {"australia-post", tav::TavEnumCls::TavAustraliaPost},
                 {"auspost", tav::TavEnumCls::TavAustraliaPost}};
             for (const auto& [name, symbology] : names)
                 if (v.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
                     options.symbology = static_cast<qint16>(symbology);
                     return true;
                 }
             return false;
         }},
        {"barcode-column", text(options.barcodeColumn)},
        {"endorsement",
         [&](const QString& v) {
             options.endorsement = v;
             return !v.trimmed().isEmpty();
         }},
        {"sort",
         [&](const QString& v) {
             options.sortByZip = v.compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0;
             return options.sortByZip;
         }},
        {"delimiter",
         [&](const QString& v) {
             const std::optional<QChar> c = delimiterOf(v);
             options.delimiter = c.value_or(QChar());
             return c.has_value();
         }},
        {"encoding", text(options.encoding)},
        {"sql", text(options.sql)},
        {"query", text(options.query)},
        {"address-type",
         [&](const QString& v) {
             options.workAddress = v.compare(QLatin1String("work"), Qt::CaseInsensitive) == 0;
             return options.workAddress ||
                    v.compare(QLatin1String("home"), Qt::CaseInsensitive) == 0;
         }},
    };
    for (const auto& [name, reader] : readers)
        if (!read(parser, name, reader))
            return QString::fromLatin1(name);
    for (int k = 0; k < 7; ++k) {
        const QString name = QStringLiteral("item%1").arg(k + 1);
        if (parser.isSet(name)) {
            options.itemTemplates[k] = parser.value(name);
            options.itemsGiven = true;
        }
    }
    return {};
}

// Where the options together make no sense: why, or "".
QString conflict(const BatchOptions& options, const QStringList& imb) {
    const QString& mailerId = imb[0];
    const QString& trackingColumn = imb[4];
    const bool numbered = std::any_of(imb.begin() + 1, imb.begin() + 4,
                                      [](const QString& v) { return !v.isEmpty(); });
    const std::pair<bool, const char*> rules[] = {
        {options.listAll && !options.listPieces, "--all is for --list-pieces"},
        {!options.sql.isEmpty() && !options.mailing.isEmpty(),
         "read either --sql or a mailing file, not both"},
        {!options.sql.isEmpty() && options.query.isEmpty(),
         "--sql needs --query: a SELECT, or the name of a table"},
        {!options.sql.isEmpty() && (!options.delimiter.isNull() || !options.encoding.isEmpty()),
         "--delimiter and --encoding are for text files, not --sql"},
        {options.sql.isEmpty() && !options.query.isEmpty(), "--query is for --sql"},
        {options.sql.isEmpty() && options.mailing.isEmpty(), "no mailing file given"},
        {!options.piece.isEmpty() && options.geometryGiven,
         "--piece gives the sheet geometry; leave out the geometry options"},
        {options.envelopeMode && (options.geometryGiven || options.addressMode ||
                                  options.columnsMode || options.itemsGiven),
         "--envelope lays out the envelope itself; leave out --address, --columns, --item and "
         "the geometry options"},
        {options.addressMode && options.columnsMode, "choose --address or --columns, not both"},
        {options.rotation && options.envelopeMode, "--rotate and --no-rotate are for labels"},
        {options.symbology != 0 && options.barcodeColumn.isEmpty(),
         "--symbology takes each piece's bar code value from --barcode-column; give it too"},
        {options.symbology == 0 && !options.barcodeColumn.isEmpty(),
         "--barcode-column is for --symbology"},
        {options.symbology != 0 && (!mailerId.isEmpty() || !trackingColumn.isEmpty()),
         "--symbology and the Intelligent Mail barcode's options are two bar codes; choose one"},
        {options.endorsementLine && !options.sortByZip,
         "--endorsement-line prints the sort level of --sort zip; give it too"},
        {options.endorsementLine && options.envelopeMode, "--endorsement-line is for labels"},
        {(options.postalStyle || options.endorsementLine || !options.endorsement.isEmpty()) &&
             (options.columnsMode || options.itemsGiven),
         "--postal-style and the endorsements print with the composed address; leave out "
         "--columns and --item"},
        {options.postalStyle && options.fontSize < 8,
         "--postal-style prints addresses at 8 pt at least; --font-size is smaller"},
        {!options.envelopeMode && !options.returnAddress.isEmpty(),
         "--return-address is for --envelope"},
        {!trackingColumn.isEmpty() && !mailerId.isEmpty(),
         "--imb-tracking-column gives whole tracking codes; leave out --imb-mailer-id"},
        {mailerId.isEmpty() && numbered,
         "--imb-service, --imb-barcode-id and --imb-serial-start number the pieces of "
         "--imb-mailer-id; give it too"},
        {!mailerId.isEmpty() && imb[1].isEmpty(), "--imb-mailer-id needs --imb-service"},
        {(!mailerId.isEmpty() || !trackingColumn.isEmpty()) && options.zipColumn.isEmpty(),
         "--zip \"\" prints no bar code; leave out the --imb options"},
        {options.pieceWidth <= 0 || options.pieceHeight <= 0,
         "labels need a width and a height above 0"},
    };
    for (const auto& [broken, why] : rules)
        if (broken)
            return QString::fromLatin1(why);
    return {};
}

// The tracking codes the --imb options ask for; none without them. Raises tav::TavError.
std::optional<TrackingCodes> trackingOf(const QStringList& imb) {
    if (!imb[4].isEmpty())
        return TrackingCodes::fromColumn(imb[4]);
    if (imb[0].isEmpty())
        return std::nullopt;
    bool whole = imb[3].isEmpty();
    const qint64 serial = whole ? 1 : imb[3].toLongLong(&whole);
    if (!whole)
        throw tav::TavError(
            tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
            QStringLiteral("--imb-serial-start: \"%1\" is not a whole number").arg(imb[3]));
    return TrackingCodes::numbered(imb[2].isEmpty() ? QStringLiteral("00") : imb[2], imb[1], imb[0],
                                   serial);
}

} // namespace

QString batchUsage() {
    QCommandLineParser parser;
    describe(parser);
    return parser.helpText();
}

std::optional<BatchOptions> parseBatchOptions(const QStringList& arguments, QString& error,
                                              bool* help) {
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (help != nullptr)
        *help = parser.isSet(QStringLiteral("help"));
    BatchOptions options;
    const auto flag = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    options.listPieces = flag("list-pieces");
    options.listAll = flag("all");
    options.addressMode = flag("address");
    options.columnsMode = flag("columns");
    options.envelopeMode = flag("envelope");
    options.landscape = flag("landscape");
    options.strictFit = flag("strict-fit");
    options.strictZip = flag("strict-zip");
    options.fillSheet = flag("fill-sheet");
    options.postalStyle = flag("postal-style");
    options.endorsementLine = flag("endorsement-line");
    if (flag("rotate") && flag("no-rotate")) {
        error = QStringLiteral("choose --rotate or --no-rotate, not both");
        return std::nullopt;
    }
    if (flag("rotate") || flag("no-rotate"))
        options.rotation = flag("rotate") ? 90 : 0;
    options.geometryGiven = std::any_of(std::begin(kGeometry), std::end(kGeometry), flag);
    if (const QString unusable = readValues(parser, options); !unusable.isEmpty()) {
        error = QStringLiteral("--%1: \"%2\" is not a usable value")
                    .arg(unusable, parser.value(unusable));
        return std::nullopt;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1 || (positional.size() == 1 && !options.mailing.isEmpty() &&
                                  options.mailing != positional[0])) {
        error = QStringLiteral("one mailing file only (got %1)")
                    .arg((QStringList(options.mailing) + positional).join(QStringLiteral(", ")));
        return std::nullopt;
    }
    if (!positional.isEmpty())
        options.mailing = positional[0];
    if (options.listPieces)
        return options;
    QStringList imb;
    for (const char* name : {"imb-mailer-id", "imb-service", "imb-barcode-id", "imb-serial-start",
                             "imb-tracking-column"})
        imb << parser.value(QString::fromLatin1(name)).trimmed();
    if (error = conflict(options, imb); !error.isEmpty())
        return std::nullopt;
    try {
        options.tracking = trackingOf(imb);
    } catch (const tav::TavError& refused) {
        error = refused.description();
        return std::nullopt;
    }
    // With --columns, or no template given, column k goes to item k; with some, the others stay
    // empty. Without either, the program looks at the header.
    if (!options.itemsGiven)
        for (int k = 0; k < 7; ++k)
            options.itemTemplates[k] = QStringLiteral("<<Item%1>>").arg(k + 1);
    return options;
}

} // namespace mailpiece

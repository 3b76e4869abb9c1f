#include "program_feed.h"

#include "four_state.h"
#include "intelligent_mail_fields.h"
#include "mailing_feed.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "zip_code.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace mailpiece {

FeedMessages::~FeedMessages() = default;

QString ConsoleMessages::place(qint64 number) const {
    return number > 0 ? QStringLiteral("%1:%2").arg(name_).arg(number) : name_;
}

void ConsoleMessages::leftOut(qint64 number, const QString& why) {
    std::fprintf(stderr, "%s: row left out: %s\n", qUtf8Printable(place(number)),
                 qUtf8Printable(why));
}

void ConsoleMessages::warning(qint64 number, const QString& what) {
    std::fprintf(stderr, "%s: warning: %s\n", qUtf8Printable(place(number)), qUtf8Printable(what));
}

namespace {

// Raises that the mailing `sourceName` cannot be printed, and why, naming it to the user.
[[noreturn]] void refuseSource(const QString& sourceName, const QString& why) {
    throw tav::TavError(tav::ErrorNumber::InvalidArgument, sourceName, why,
                        sourceName + QStringLiteral(": ") + why);
}

const QRegularExpression& placeholder() {
    static const QRegularExpression pattern(QStringLiteral("<<([^<>]+)>>"));
    return pattern;
}

// The column a template's placeholder names: a header name, else "Itemk" for column k; -1 when
// the header has neither.
qsizetype placeholderColumn(const QStringList& header, const QString& name) {
    if (const qsizetype named = tav::columnIndex(header, name); named >= 0)
        return named;
    static const QRegularExpression itemName(QStringLiteral("^Item([1-7])$"));
    const QRegularExpressionMatch item = itemName.match(name);
    const qsizetype k = item.hasMatch() ? item.captured(1).toInt() - 1 : -1;
    return k < header.size() ? k : -1;
}

// The columns whose values a piece prints, when nothing else is printed: the name and address
// columns (a ZIP code alone is no address), or those the templates name. None when the
// templates hold text of their own, which no row leaves empty.
std::optional<std::vector<qsizetype>> printedColumns(const QStringList& header,
                                                     tav::PieceMaker::Mode mode,
                                                     const QStringList& templates) {
    std::vector<qsizetype> columns;
    const auto add = [&](qsizetype column) {
        if (column >= 0 && std::find(columns.begin(), columns.end(), column) == columns.end())
            columns.push_back(column);
    };
    if (mode == tav::PieceMaker::Mode::Address) {
        const tav::AddressColumns address = tav::AddressColumns::find(header);
        for (int part = 0; part < tav::AddressColumns::kParts; ++part)
            if (part != tav::AddressColumns::Zip)
                add(address.columns[part]);
        return columns;
    }
    for (const QString& text : templates) {
        QString rest = text;
        rest.remove(placeholder());
        if (!rest.trimmed().isEmpty())
            return std::nullopt;
        for (const auto& match : placeholder().globalMatch(text))
            add(placeholderColumn(header, match.captured(1).trimmed()));
    }
    return columns;
}

// The templates of the label's shown items.
QStringList shownTemplates(const tav::TavLabel& label) {
    QStringList templates;
    for (int k = 1; k <= 7; ++k)
        if (const auto item = label.itemProperties(k); item && item->Visible())
            templates << item->TextControl();
    return templates;
}

// Gives the label's bar code record what a row's piece needs beyond its texts, checks that its
// texts and bars print whole, and passes the source's own remarks on as soon as they are known.
class BarCodeGiver {
public:
    BarCodeGiver(tav::MailingSource& source, tav::TavLabel& label, QString kind,
                 FeedMessages& messages, BarCodeFeed barCodes)
        : source_(source)
        , label_(label)
        , kind_(std::move(kind))
        , messages_(messages)
        , feed_(std::move(barCodes)) {
        if (feed_.tracking)
            label_.BarCodeProperties()->setSymbology(tav::TavEnumCls::TavIntelligentMail);
    }

    // The hooks of a feed whose ZIP codes come from the column `zipColumn`.
    tav::MailingFeed hooks(tav::PieceMaker::Mode mode, const QString& zipColumn) {
        hasZip_ = tav::PieceMaker(source_.header(), mode, zipColumn).hasZip();
        valueColumn_ = tav::columnIndex(source_.header(), feed_.valueColumn);
        printed_ = printedColumns(source_.header(), mode,
                                  mode == tav::PieceMaker::Mode::Columns ? shownTemplates(label_)
                                                                         : QStringList());
        tav::MailingFeed feed;
        feed.mode = mode;
        feed.zipColumn = zipColumn;
        feed.postalStyle = feed_.postalStyle;
        feed.linesAbove = feed_.linesAbove;
        feed.leftOut = [this](const tav::MailingProblem& problem) {
            remarks();
            messages_.leftOut(problem.number, problem.message);
        };
        feed.beforeAdd = [this](const tav::MailingRow& row, tav::MailingPiece& piece) {
            remarks();
            if (printsNothing(row)) {
                ++emptyRows_;
                return QStringLiteral("nothing to print: ") + printedNames();
            }
            const QString why = prepare(row, piece);
            if (why.isEmpty()) {
                checkFit(row, piece.zip);
                checkPostalRules(row, piece);
            }
            return why;
        };
        feed.textFitProblem = [this](const tav::MailingRow& row, const QString& problem) {
            if (feed_.strictFit)
                throw tav::TavError(tav::ErrorNumber::InvalidPropertyValue,
                                    QStringLiteral("mailing"),
                                    messages_.place(row.number) + QStringLiteral(": ") + problem);
            messages_.warning(row.number, problem);
        };
        feed.progress = feed_.progress;
        return feed;
    }

    // The rows whose bars had a problem told of already: how many more, and which.
    void sameBarProblems() {
        for (const auto& [problem, rows] : repeatedBarProblems_) {
            // Copies of a row (--repeat, a copies column) name it once.
            QStringList numbers;
            for (const qint64 row : rows)
                if (numbers.isEmpty() || numbers.constLast() != QString::number(row))
                    numbers << QString::number(row);
            const qsizetype named = numbers.size();
            if (named > kRowsNamed)
                numbers = numbers.first(kRowsNamed) << QStringLiteral("…");
            const QString more =
                rows.size() == 1 ? QStringLiteral("1 more %1 has").arg(kind_)
                                 : QStringLiteral("%1 more %2s have").arg(rows.size()).arg(kind_);
            messages_.warning(0,
                              QStringLiteral("%1 the same bar code problem (%2): %3 %4")
                                  .arg(more, problem,
                                       named == 1 ? QStringLiteral("row") : QStringLiteral("rows"),
                                       numbers.join(QStringLiteral(", "))));
        }
        repeatedBarProblems_.clear();
    }

    // Stops the run when most rows printed nothing: the columns, the delimiter or the encoding
    // are not what the pieces were made for.
    void checkEmptyRows(const tav::MailingFed& fed, const QString& sourceName) const {
        if (emptyRows_ == 0 || emptyRows_ * 2 <= emptyRows_ + fed.pieces)
            return;
        refuseSource(
            sourceName,
            QStringLiteral("%1 of %2 rows have nothing to print (%3); the header has the columns "
                           "%4. Is the delimiter, the encoding or the header row right?")
                .arg(emptyRows_)
                .arg(emptyRows_ + fed.pieces)
                .arg(printedNames(), source_.header().join(QStringLiteral(", "))));
    }

    // The source's remarks (how a file was decoded) not passed on yet.
    void remarks() {
        for (; remarksShown_ < source_.warnings().size(); ++remarksShown_)
            messages_.warning(0, source_.warnings().at(remarksShown_));
    }

private:
    // Whether every column the pieces print is empty in `row`.
    bool printsNothing(const tav::MailingRow& row) const {
        return printed_ && std::all_of(printed_->begin(), printed_->end(), [&](qsizetype column) {
                   return column >= row.fields.size() || row.fields.at(column).trimmed().isEmpty();
               });
    }

    // "the columns A, B are empty", or that the header has none the pieces print.
    QString printedNames() const {
        if (!printed_ || printed_->empty())
            return QStringLiteral("the header has none of the columns the %1s print").arg(kind_);
        QStringList names;
        for (const qsizetype column : *printed_)
            names << source_.header().at(column);
        return QStringLiteral("the %1 %2 empty")
            .arg(names.size() == 1 ? QStringLiteral("column") : QStringLiteral("columns"),
                 names.join(QStringLiteral(", ")) +
                     (names.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are")));
    }

    // Checks the ZIP code of `row`'s piece and gives it its tracking code; returns why the row
    // is left out, or "". A doubtful ZIP code is a warning, or with strictZip a reason.
    QString prepare(const tav::MailingRow& row, tav::MailingPiece& piece) {
        const tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        const auto symbology = static_cast<qint16>(barCode.Symbology());
        if (tav::FourState::ofAnotherPost(symbology)) {
            piece.zip = row.fields.value(valueColumn_).trimmed();
            QString problem;
            if (tav::FourState::encode(symbology, piece.zip, &problem).isEmpty())
                return QStringLiteral("the %1 cannot carry \"%2\": %3")
                    .arg(QLatin1String(tav::FourState::spec(symbology)->name), piece.zip, problem);
            return {};
        }
        if (!hasZip_)
            return {};
        const QString& zip = piece.zip;
        if (barCode.Symbology() != tav::TavEnumCls::TavIntelligentMail) {
            const QString warning = tav::zipCodeWarning(zip);
            if (warning.isEmpty())
                return {};
            if (feed_.strictZip)
                return warning;
            messages_.warning(row.number, warning);
            return {};
        }
        const QString routing = tav::IntelligentMail::routingCodeProblem(zip);
        if (!routing.isEmpty())
            return QStringLiteral("the ZIP code ") + routing;
        if (feed_.tracking) {
            QString problem;
            const std::optional<QString> code =
                feed_.tracking->next(source_.header(), row, problem);
            if (!code)
                return problem;
            piece.trackingCode = *code;
        }
        return {};
    }

    // Says so when the bars of the piece about to be added (bar code value `zip`) would not all
    // be printed: the first row of a problem by its number, the others with it at the end.
    void checkFit(const tav::MailingRow& row, const QString& zip) {
        tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        // Once an IMb was left off, the record hides it: the first problem stands for all.
        if (!leftOffProblem_.isEmpty())
            return;
        const QString problem = label_.BarCodeFitProblem(zip);
        if (problem.isEmpty())
            return;
        const QString piece = QStringLiteral("%1 %2: ").arg(kind_).arg(label_.pieceCount() + 1);
        if (feed_.strictFit)
            throw tav::TavError(tav::ErrorNumber::InvalidPropertyValue, QStringLiteral("mailing"),
                                messages_.place(row.number) + QStringLiteral(": ") + piece +
                                    problem);
        if (barCode.Symbology() == tav::TavEnumCls::TavIntelligentMail) {
            // Every piece shares the box, so none of them gets a bar code.
            messages_.warning(row.number, piece + problem +
                                              QStringLiteral("; the mailing is printed without "
                                                             "its bar codes"));
            barCode.setVisible(false);
            leftOffProblem_ = problem;
            return;
        }
        if (barProblemsTold_.contains(problem)) {
            repeatedBarProblems_[problem].push_back(row.number);
            return;
        }
        barProblemsTold_.insert(problem);
        messages_.warning(row.number, piece + problem);
    }

    // Names the piece whose address breaks a rule of the post office that composing it in the
    // postal style could not mend.
    void checkPostalRules(const tav::MailingRow& row, const tav::MailingPiece& piece) const {
        if (piece.postalProblem.isEmpty())
            return;
        const QString what = QStringLiteral("%1 %2: %3")
                                 .arg(kind_)
                                 .arg(label_.pieceCount() + 1)
                                 .arg(piece.postalProblem);
        if (feed_.strictFit)
            throw tav::TavError(tav::ErrorNumber::InvalidPropertyValue, QStringLiteral("mailing"),
                                messages_.place(row.number) + QStringLiteral(": ") + what);
        messages_.warning(row.number, what);
    }

    static constexpr qsizetype kRowsNamed = 20;

    tav::MailingSource& source_;
    tav::TavLabel& label_;
    QString kind_; // "label" or "envelope", as the warnings name a piece
    FeedMessages& messages_;
    BarCodeFeed feed_;
    bool hasZip_ = false;
    qsizetype valueColumn_ = -1;                    // another post's bar code values
    std::optional<std::vector<qsizetype>> printed_; // none: every piece prints text of its own
    qint64 emptyRows_ = 0;                          // rows left out for printing nothing
    qsizetype remarksShown_ = 0;
    QString leftOffProblem_; // why the IMb was left off the mailing; "" while it is not
    QSet<QString> barProblemsTold_;
    std::map<QString, std::vector<qint64>> repeatedBarProblems_; // rows after the first
};

// Counts the blank rows the feed skipped, then says what it found.
FeedResult result(const tav::MailingSource& source, const tav::MailingFed& fed,
                  FeedMessages& messages) {
    if (fed.blankRows > 0)
        messages.warning(
            0, QStringLiteral("%1 blank %2 skipped")
                   .arg(fed.blankRows)
                   .arg(fed.blankRows == 1 ? QStringLiteral("row") : QStringLiteral("rows")));
    return {source.header(), fed.pieces, static_cast<qsizetype>(fed.leftOut), fed.blankRows,
            fed.stopped};
}

} // namespace

bool hasAddressColumns(const QStringList& header) {
    return tav::AddressColumns::find(header).composable();
}

void checkColumns(const tav::MailingSource& source, const QString& sourceName,
                  tav::PieceMaker::Mode mode, const QStringList& templates) {
    const QStringList& header = source.header();
    if (header.isEmpty())
        return; // an empty source is told of as having no rows
    QString expected;
    if (mode == tav::PieceMaker::Mode::Address) {
        if (!hasAddressColumns(header))
            expected = tav::addressPartNames().join(QStringLiteral(", ")) +
                       QStringLiteral(" (a name and an address at least)");
    } else {
        static const QRegularExpression itemName(QStringLiteral("^Item[1-7]$"));
        QStringList missing;
        for (const QString& text : templates)
            for (const auto& match : placeholder().globalMatch(text))
                if (const QString name = match.captured(1).trimmed();
                    !itemName.match(name).hasMatch() && tav::columnIndex(header, name) < 0 &&
                    !missing.contains(name))
                    missing << name;
        expected = missing.join(QStringLiteral(", "));
    }
    if (!expected.isEmpty())
        refuseSource(sourceName, QStringLiteral("the header has the columns %1; the labels need "
                                                "%2. Is the delimiter or the header row right?")
                                     .arg(header.join(QStringLiteral(", ")), expected));
}

FeedResult feedMailing(tav::MailingSource& source, tav::TavLabel& label, tav::PieceMaker::Mode mode,
                       const QString& zipColumn, FeedMessages& messages, BarCodeFeed barCodes) {
    BarCodeGiver giver(source, label, QStringLiteral("label"), messages, std::move(barCodes));
    const tav::MailingFed fed = label.AddPieces(source, giver.hooks(mode, zipColumn));
    giver.remarks();
    giver.sameBarProblems();
    giver.checkEmptyRows(fed, messages.place(0));
    return result(source, fed, messages);
}

FeedResult feedEnvelopes(tav::MailingSource& source, tav::TavMail& mail, FeedMessages& messages,
                         BarCodeFeed barCodes) {
    BarCodeGiver giver(source, mail.TavLabel1(), QStringLiteral("envelope"), messages,
                       std::move(barCodes));
    const tav::MailingFed fed =
        mail.AddPieces(source, giver.hooks(tav::PieceMaker::Mode::Address, QStringLiteral("Zip")));
    giver.remarks();
    giver.sameBarProblems();
    giver.checkEmptyRows(fed, messages.place(0));
    return result(source, fed, messages);
}

} // namespace mailpiece

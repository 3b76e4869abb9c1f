#include "label_templates.h"

#include "cfg_lib.h"
#include "sheet_limits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <optional>

namespace tav::LabelTemplates {

namespace {

const QString kRoundLabels = QStringLiteral("round, oval or CD labels");
const QString kSeveralLayouts = QStringLiteral("several layouts on one sheet");
const QString kNoLayout = QStringLiteral("no label layout");
const QString kUnknownPaper = QStringLiteral("a paper size that is not known");
const QString kGridTooBig = QStringLiteral("a grid that does not fit its paper");
const QString kOverlapping = QStringLiteral("a pitch smaller than its label");
const QString kUnreadable = QStringLiteral("a file that cannot be read");
// The library's files declare no entities; one that does could expand a few kilobytes into
// gigabytes (an entity used a million times), so it is not read at all.
const QString kEntities = QStringLiteral("a file that declares entities");
const QString kNoOriginal = QStringLiteral("an alias of a template that is not there");

// A length of the library in inches: a number and a unit, points when there is none.
std::optional<double> inches(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\s*([0-9.]+)\\s*([a-z]*)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const QString unit = match.captured(2);
    if (unit.isEmpty() || unit == QLatin1String("pt"))
        return value / 72.0;
    if (unit == QLatin1String("in"))
        return value;
    if (unit == QLatin1String("mm"))
        return value / 25.4;
    if (unit == QLatin1String("cm"))
        return value / 2.54;
    if (unit == QLatin1String("pc"))
        return value / 6.0;
    return std::nullopt;
}

// Only regular files (or links to them) are read: a pipe or a device under a template file's
// name would never end.
bool regularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

struct Paper {
    QString name;
    double width = 0;
    double height = 0;
};

// The paper sizes by id ("A4", "US-Letter").
QHash<QString, Paper> readPaperSizes(const QString& directory) {
    QHash<QString, Paper> papers;
    QFile file(QDir(directory).filePath(QStringLiteral("paper-sizes.xml")));
    if (!regularFile(file.fileName()) || !file.open(QIODevice::ReadOnly))
        return papers;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD() && !xml.entityDeclarations().isEmpty())
            return {}; // see kEntities
        if (xml.isStartElement() && xml.name() == QLatin1String("Paper-size")) {
            const auto a = xml.attributes();
            const auto width = inches(a.value(QLatin1String("width")).toString());
            const auto height = inches(a.value(QLatin1String("height")).toString());
            if (width && height)
                papers.insert(a.value(QLatin1String("id")).toString(),
                              {a.value(QLatin1String("_name")).toString(), *width, *height});
        }
    }
    return papers;
}

// One template's geometry, in inches, or why it has none we can use.
struct Geometry {
    QString paperName;
    double paperWidth = 0, paperHeight = 0;
    double width = 0, height = 0;
    int across = 0, down = 0;
    double left = 0, top = 0, pitchAcross = 0, pitchDown = 0;
    QString description;
    bool metric = false; // shown in millimetres
};

QString number(double value) {
    QString text = QString::number(value, 'f', 5);
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text;
}

QString size(const Geometry& g) {
    if (g.metric)
        return QStringLiteral("%1 x %2 mm")
            .arg(number(std::round(g.width * 254) / 10), number(std::round(g.height * 254) / 10));
    return QStringLiteral("%1 x %2 in").arg(number(g.width), number(g.height));
}

// One label across and down on paper of its own size: a label printer's roll, one label a page.
bool onARoll(const Geometry& g) {
    constexpr double kSlack = 0.01;
    return g.across == 1 && g.down == 1 && std::abs(g.paperWidth - g.width) <= kSlack &&
           std::abs(g.paperHeight - g.height) <= kSlack;
}

QString record(const QString& product, const Geometry& g) {
    // A roll label taller than wide feeds short edge first and is read along its length: it is
    // turned a quarter turn by default.
    const bool roll = onARoll(g);
    return CfgLib::MakeRecord(product,
                              {g.paperWidth, g.paperHeight, g.left, g.top, g.pitchAcross,
                               g.pitchDown, g.width, g.height, g.across, g.down},
                              g.paperName, roll, roll && g.height > g.width);
}

// Whether the grid lies on the paper (a hundredth of an inch of slack for rounding).
bool fits(const Geometry& g) {
    constexpr double kSlack = 0.01;
    return g.left >= -kSlack && g.top >= -kSlack &&
           g.left + (g.across - 1) * g.pitchAcross + g.width <= g.paperWidth + kSlack &&
           g.top + (g.down - 1) * g.pitchDown + g.height <= g.paperHeight + kSlack;
}

// Whether the labels of a row or a column would stand on one another; a single label across or
// down needs no pitch. The library measures some sheets of touching labels a millimetre short
// (Avery L7160, Hisago OP3015), which still count as touching.
bool overlaps(const Geometry& g) {
    constexpr double kSlack = TouchingSlackInches;
    return (g.across > 1 && g.pitchAcross < g.width - kSlack) ||
           (g.down > 1 && g.pitchDown < g.height - kSlack);
}

// Reads the body of a <Template> (the reader on its start element) into `g`, and the brand and
// part of each <Alias> (the older files' way of naming the same sheet) into `aliases`; returns
// "" or why the template cannot be used.
QString readTemplate(QXmlStreamReader& xml, Geometry& g,
                     std::vector<std::pair<QString, QString>>& aliases) {
    QString why = kNoLayout;
    int labels = 0;
    while (xml.readNextStartElement()) {
        const auto element = xml.name();
        if (element.startsWith(QLatin1String("Label-"))) {
            ++labels;
            if (element != QLatin1String("Label-rectangle")) {
                why = kRoundLabels;
                xml.skipCurrentElement();
                continue;
            }
            const auto a = xml.attributes();
            const auto width = inches(a.value(QLatin1String("width")).toString());
            const auto height = inches(a.value(QLatin1String("height")).toString());
            int layouts = 0;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("Layout")) {
                    ++layouts;
                    const auto l = xml.attributes();
                    g.across = l.value(QLatin1String("nx")).toInt();
                    g.down = l.value(QLatin1String("ny")).toInt();
                    g.left = inches(l.value(QLatin1String("x0")).toString()).value_or(-1);
                    g.top = inches(l.value(QLatin1String("y0")).toString()).value_or(-1);
                    // An unreadable pitch (a negative one among them) reads as -1: refused
                    // below where it matters, as labels would print on one another.
                    g.pitchAcross = inches(l.value(QLatin1String("dx")).toString()).value_or(-1);
                    g.pitchDown = inches(l.value(QLatin1String("dy")).toString()).value_or(-1);
                }
                xml.skipCurrentElement();
            }
            if (!width || !height || layouts == 0) {
                why = kNoLayout;
            } else if (layouts > 1) {
                why = kSeveralLayouts;
            } else {
                g.width = *width;
                g.height = *height;
                why.clear();
            }
        } else {
            if (element == QLatin1String("Alias")) {
                const auto a = xml.attributes();
                aliases.emplace_back(a.value(QLatin1String("brand")).toString(),
                                     a.value(QLatin1String("part")).toString());
            }
            xml.skipCurrentElement();
        }
    }
    if (labels > 1)
        return kSeveralLayouts;
    if (why.isEmpty() && (g.across < 1 || g.down < 1 || g.width <= 0 || g.height <= 0))
        return kNoLayout;
    // One label across or down needs no pitch that way.
    if (g.across == 1 && g.pitchAcross < 0)
        g.pitchAcross = 0;
    if (g.down == 1 && g.pitchDown < 0)
        g.pitchDown = 0;
    if (why.isEmpty() && overlaps(g))
        return kOverlapping;
    if (why.isEmpty() && !fits(g))
        return kGridTooBig;
    return why;
}

struct Pending {
    QString brand, part, description, equiv;
    std::optional<Geometry> geometry;
    QString why;
};

} // namespace

QString directory() {
    if (qEnvironmentVariableIsSet(DirectoryVariable))
        return qEnvironmentVariable(DirectoryVariable);
    return QString::fromLatin1(DefaultDirectory);
}

Import readDirectory(const QString& directory, const QSet<QString>& shippedNumbers) {
    Import result;
    if (directory.isEmpty() || !QDir(directory).exists())
        return result;
    const QHash<QString, Paper> papers = readPaperSizes(directory);
    std::vector<Pending> templates;
    const QStringList files =
        QDir(directory).entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile file(QDir(directory).filePath(name));
        if (!regularFile(file.fileName()) || !file.open(QIODevice::ReadOnly)) {
            ++result.skipped[kUnreadable];
            continue;
        }
        QXmlStreamReader xml(&file);
        bool declaresEntities = false;
        while (!xml.atEnd() && !declaresEntities) {
            xml.readNext();
            declaresEntities = xml.isDTD() && !xml.entityDeclarations().isEmpty();
            if (!xml.isStartElement() || xml.name() != QLatin1String("Template"))
                continue;
            const auto a = xml.attributes();
            Pending t{a.value(QLatin1String("brand")).toString(),
                      a.value(QLatin1String("part")).toString(),
                      a.value(QLatin1String("_description")).toString(),
                      a.value(QLatin1String("equiv")).toString(),
                      std::nullopt,
                      {}};
            if (!t.equiv.isEmpty()) {
                xml.skipCurrentElement();
                templates.push_back(std::move(t));
                continue;
            }
            Geometry g;
            const QString paper = a.value(QLatin1String("size")).toString();
            if (paper == QLatin1String("Other")) {
                g.paperName = QStringLiteral("Other");
                g.paperWidth = inches(a.value(QLatin1String("width")).toString()).value_or(0);
                g.paperHeight = inches(a.value(QLatin1String("height")).toString()).value_or(0);
            } else if (const auto known = papers.constFind(paper); known != papers.cend()) {
                g.paperName = known->name;
                g.paperWidth = known->width;
                g.paperHeight = known->height;
            }
            g.metric = !paper.startsWith(QLatin1String("US"));
            g.description = t.description;
            std::vector<std::pair<QString, QString>> aliases;
            t.why = readTemplate(xml, g, aliases);
            if ((t.why.isEmpty() || t.why == kGridTooBig) &&
                (g.paperWidth <= 0 || g.paperHeight <= 0))
                t.why = kUnknownPaper;
            if (t.why.isEmpty())
                t.geometry = g;
            for (const auto& [brand, part] : aliases)
                if (!(brand == t.brand && part == t.part))
                    templates.push_back({brand.isEmpty() ? t.brand : brand,
                                         part,
                                         t.description,
                                         {},
                                         t.geometry,
                                         t.why});
            templates.push_back(std::move(t));
        }
        if (declaresEntities)
            ++result.skipped[kEntities];
        else if (xml.hasError())
            ++result.skipped[kUnreadable];
    }

    // Aliases take their original's geometry (and its description when they have none).
    QHash<QString, const Pending*> byPart;
    for (const Pending& t : templates)
        if (t.equiv.isEmpty())
            byPart.insert(t.brand + QLatin1Char('\n') + t.part, &t);
    QSet<QString> names;
    for (const Pending& t : templates) {
        ++result.templates;
        std::optional<Geometry> geometry = t.geometry;
        QString why = t.why;
        if (!t.equiv.isEmpty()) {
            const Pending* original = byPart.value(t.brand + QLatin1Char('\n') + t.equiv);
            geometry = original ? original->geometry : std::nullopt;
            why = original ? original->why : kNoOriginal;
        }
        if (!geometry) {
            ++result.skipped[why];
            continue;
        }
        if (t.brand.compare(QLatin1String("Avery"), Qt::CaseInsensitive) == 0 &&
            shippedNumbers.contains(t.part)) {
            ++result.alreadyShipped;
            continue;
        }
        // A comma separates the catalogue's record fields: none in the names.
        const QString product = QString(t.brand + QLatin1Char(' ') + t.part)
                                    .replace(QLatin1Char(','), QLatin1Char(';'));
        const QString description = t.description.isEmpty() ? geometry->description : t.description;
        QString piece = product + QStringLiteral(" - ") +
                        (description.isEmpty() ? QString() : description + QLatin1Char(' ')) +
                        size(*geometry);
        piece.replace(QLatin1Char(','), QLatin1Char(';'));
        if (names.contains(piece))
            continue; // a template listed twice
        names.insert(piece);
        result.pieces.push_back({product, piece, record(product, *geometry)});
    }
    result.imported = static_cast<int>(result.pieces.size());
    return result;
}

QString summary(const Import& import) {
    if (import.templates == 0)
        return QStringLiteral("no label template library in %1").arg(directory());
    int skipped = 0;
    QStringList reasons;
    for (auto it = import.skipped.cbegin(); it != import.skipped.cend(); ++it) {
        skipped += it.value();
        reasons << QStringLiteral("%1 with %2").arg(it.value()).arg(it.key());
    }
    return QStringLiteral("%1 templates in %2: %3 imported, %4 left to the shipped catalogue, %5 "
                          "skipped (%6)")
        .arg(import.templates)
        .arg(directory())
        .arg(import.imported)
        .arg(import.alreadyShipped)
        .arg(skipped)
        .arg(reasons.join(QStringLiteral(", ")));
}

} // namespace tav::LabelTemplates

#include "piece_lookup.h"

#include "catalogue.h"
#include "cfg_lib.h"

#include <algorithm>
#include <functional>

namespace tav {

namespace {

const QString kNameSeparator = QStringLiteral(" - ");

// Every piece `catalogue` lists, once, in its order.
QStringList listedPieces(const Catalogue& catalogue) {
    QStringList names;
    for (const char* section : {CfgLib::LaserSection, CfgLib::DotMatrixSection})
        for (const Catalogue::Product& product : catalogue.products(QLatin1String(section)))
            for (const QString& piece : product.pieces)
                if (!names.contains(piece, Qt::CaseInsensitive))
                    names << piece;
    return names;
}

bool same(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

PieceMatch findPiece(const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return {};
    const auto whole = [&](const QStringList& names) {
        const auto found = std::find_if(names.begin(), names.end(),
                                        [&](const QString& name) { return same(name, wanted); });
        return found == names.end() ? QString() : *found;
    };
    // The shipped and user's names first: the template library is read only when needed.
    if (const QString own = whole(listedPieces(Catalogue::own())); !own.isEmpty())
        return {own, {}};
    const QStringList names = listedPieces(Catalogue::current());
    if (const QString listed = whole(names); !listed.isEmpty())
        return {listed, {}};
    // A name the catalogue's details hold is taken as it is, listed or not.
    if (!CfgLib::CatalogProduct(wanted).isEmpty())
        return {wanted, {}};
    const QString avery = QStringLiteral("avery ");
    const QString averyPart = wanted.startsWith(avery, Qt::CaseInsensitive)
                                  ? wanted.mid(avery.size()).trimmed()
                                  : QString();
    using Rule = std::function<bool(const QString& name, QStringView number)>;
    const Rule rules[] = {
        [&](const QString&, QStringView number) { return same(number, wanted); },
        [&](const QString&, QStringView number) {
            return number.endsWith(QString(QLatin1Char(' ') + wanted), Qt::CaseInsensitive);
        },
        [&](const QString&, QStringView number) {
            return !averyPart.isEmpty() && same(number, averyPart);
        },
        [&](const QString& name, QStringView) {
            return name.startsWith(wanted, Qt::CaseInsensitive);
        },
    };
    for (const Rule& rule : rules) {
        QStringList found;
        for (const QString& name : names) {
            const qsizetype split = name.indexOf(kNameSeparator);
            if (rule(name, QStringView(name).left(split < 0 ? name.size() : split).trimmed()))
                found << name;
        }
        if (found.size() == 1)
            return {found.constFirst(), {}};
        if (!found.isEmpty())
            return {{}, found};
    }
    return {};
}

} // namespace tav

#include "catalogue.h"

#include "cfg_lib.h"
#include "dir_lib.h"
#include "ini_lib.h"
#include "output_file.h"
#include "str_lib.h"
#include "tav_error.h"
#include "template_cache.h"

#include <QCollator>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <map>
#include <memory>

namespace tav {

namespace {

const QString kSource = QStringLiteral("Catalogue");
const QString kComma = QStringLiteral(",");

// `name` in lower case, as names are compared; the usual ASCII name without Unicode's tables,
// which cost more than the rest of reading a product.
QString folded(const QString& name) {
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x80; }))
        return name.toLower();
    QString lower = name;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

QString shippedPath() {
    return DirLib::SystemDirectory() + QLatin1String(CfgLib::CatalogFileName);
}

// What identifies a file's content cheaply: its path, size and time, or that it is missing.
QString stamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return path + QStringLiteral(" -");
    return QStringLiteral("%1 %2 %3")
        .arg(path)
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

// The template library of `directory` beside a shipped catalogue with `shippedNumbers`, read
// once per process.
const LabelTemplates::Import& templatesOf(const QString& directory,
                                          const QSet<QString>& shippedNumbers) {
    static std::map<QString, LabelTemplates::Import> read;
    QStringList numbers(shippedNumbers.begin(), shippedNumbers.end());
    numbers.sort();
    const QString key = directory + QLatin1Char('\n') + numbers.join(QLatin1Char(','));
    auto found = read.find(key);
    if (found == read.end())
        found = read.emplace(key, TemplateCache::read(directory, shippedNumbers)).first;
    return found->second;
}

} // namespace

std::unique_ptr<Catalogue> Catalogue::withTemplates(const Catalogue& own,
                                                    const QString& templatesDirectory) {
    auto fresh = std::make_unique<Catalogue>(own);
    const LabelTemplates::Import& library = templatesOf(templatesDirectory, own.shippedNumbers_);
    fresh->templates_ = &library;
    // The templates' products after the catalogues' own, in natural order ("Avery 5160"
    // before "Avery 15160"); a piece the catalogues have stays theirs.
    QCollator natural;
    natural.setNumericMode(true);
    natural.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<const LabelTemplates::TemplatePiece*> sorted;
    for (const LabelTemplates::TemplatePiece& piece : library.pieces)
        sorted.push_back(&piece);
    std::stable_sort(sorted.begin(), sorted.end(), [&](const auto* a, const auto* b) {
        return natural.compare(a->product, b->product) < 0;
    });
    for (const LabelTemplates::TemplatePiece* piece : sorted)
        if (!fresh->records_.contains(folded(piece->piece)))
            fresh->addPiece(QLatin1String(CfgLib::LaserSection), piece->product, piece->piece,
                            piece->record);
    return fresh;
}

const Catalogue& Catalogue::current() {
    static std::unique_ptr<Catalogue> catalogue;
    static QString key;
    const QString templates = LabelTemplates::directory();
    const QString now = stamp(shippedPath()) + QLatin1Char('\n') + stamp(userPath()) +
                        QLatin1Char('\n') + templates;
    if (!catalogue || now != key) {
        catalogue = withTemplates(own(), templates);
        key = now;
    }
    return *catalogue;
}

const Catalogue& Catalogue::own() {
    static std::unique_ptr<Catalogue> catalogue;
    static QString key;
    const QString now = stamp(shippedPath()) + QLatin1Char('\n') + stamp(userPath());
    if (!catalogue || now != key) {
        catalogue = std::make_unique<Catalogue>();
        catalogue->templates_ = &templatesOf(QString(), {}); // none
        catalogue->read(shippedPath());
        catalogue->shippedNumbers_ = catalogue->pieceNumbers();
        catalogue->read(userPath());
        key = now;
    }
    return *catalogue;
}

QString Catalogue::recordOf(const QString& piece) {
    const QString record = own().record(piece);
    return record.isEmpty() ? current().record(piece) : record;
}

bool Catalogue::usableName(const QString& name) {
    return !name.trimmed().isEmpty() && std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('[') || c == QLatin1Char(']') ||
               c == QLatin1Char('=') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
    });
}

QString Catalogue::userPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/mailpiece/") + QLatin1String(CfgLib::CatalogFileName);
}

void Catalogue::read(const QString& file) {
    if (!QFileInfo(file).isFile())
        return;
    const IniLib::Profile profile(file);
    for (const char* section : {CfgLib::LaserSection, CfgLib::DotMatrixSection}) {
        for (const QString& entry :
             profile.list(QLatin1String(section), QStringLiteral("product"), 100)) {
            const QString product = StrLib::TextBefore(entry, kComma).trimmed();
            if (product.isEmpty())
                continue;
            listedProduct(QLatin1String(section), product); // listed even without pieces
            for (const QString& listed : profile.list(product, QStringLiteral("Piece"), 200)) {
                const QString piece = StrLib::TextBefore(listed, kComma).trimmed();
                if (!piece.isEmpty())
                    addPiece(QLatin1String(section), product, piece,
                             profile.value(QLatin1String(CfgLib::DetailsSection), piece).trimmed());
            }
        }
    }
}

QSet<QString> Catalogue::pieceNumbers() const {
    QSet<QString> numbers;
    for (const std::vector<Product>* products : {&laser_, &dotMatrix_})
        for (const Product& product : *products)
            for (const QString& piece : product.pieces)
                numbers.insert(StrLib::TextBefore(piece, QStringLiteral(" - ")).trimmed());
    return numbers;
}

Catalogue::Product& Catalogue::listedProduct(const QString& section, const QString& product) {
    const bool dotMatrix = section == QLatin1String(CfgLib::DotMatrixSection);
    std::vector<Product>& products = dotMatrix ? dotMatrix_ : laser_;
    // Found by an index, not a search, so that many thousand products read in linear time.
    QHash<QString, std::size_t>& index = productIndex_[dotMatrix ? 1 : 0];
    const QString key = folded(product);
    if (const auto found = index.constFind(key); found != index.cend())
        return products[*found];
    index.insert(key, products.size());
    products.push_back({product, {}});
    return products.back();
}

void Catalogue::addPiece(const QString& section, const QString& product, const QString& piece,
                         const QString& record) {
    Product& listed = listedProduct(section, product);
    if (!listed.pieces.contains(piece, Qt::CaseInsensitive))
        listed.pieces << piece;
    const QString key = folded(piece);
    records_.insert(key, record);
    productOf_.insert(key, product);
}

const std::vector<Catalogue::Product>& Catalogue::products(const QString& section) const {
    return section.compare(QLatin1String(CfgLib::DotMatrixSection), Qt::CaseInsensitive) == 0
               ? dotMatrix_
               : laser_;
}

QStringList Catalogue::pieces(const QString& product) const {
    for (const std::vector<Product>* products : {&laser_, &dotMatrix_})
        for (const Product& p : *products)
            if (p.name.compare(product.trimmed(), Qt::CaseInsensitive) == 0)
                return p.pieces;
    return {};
}

QString Catalogue::record(const QString& piece) const {
    // The files' Details hold pieces no product lists too; the user's win.
    for (const QString& file : {userPath(), shippedPath()}) {
        const QString found =
            IniLib::ProfileGetValue(file, QLatin1String(CfgLib::DetailsSection), piece, QString());
        if (!found.isEmpty())
            return found;
    }
    return records_.value(folded(piece.trimmed()));
}

void Catalogue::saveUserPiece(const QString& section, const QString& product, const QString& piece,
                              const QString& record) {
    if (!usableName(product) || !usableName(piece))
        raiseError(ErrorNumber::InvalidArgument, kSource,
                   QStringLiteral("a product or piece name is not empty and holds no \",\", "
                                  "\"[\", \"]\" or \"=\""));
    // Read, changed and written under a lock: two programs saving a piece at once would each
    // write the file as it was before the other's piece.
    const QString path = userPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(30000);
    if (!lock.tryLock(30000))
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("%1 is being changed by another program; try again").arg(path));
    // The user's file as it is now, with the piece added or replaced.
    Catalogue user;
    user.read(path);
    user.addPiece(section, product, piece, record);

    QByteArray text = "; Mailpiece: your own pieces, read after the shipped catalogue.\n";
    for (const char* name : {CfgLib::LaserSection, CfgLib::DotMatrixSection}) {
        const std::vector<Product>& products = user.products(QLatin1String(name));
        if (products.empty())
            continue;
        text += QByteArray("\n[") + name + "]\n";
        for (std::size_t i = 0; i < products.size(); ++i)
            text += QStringLiteral("product(%1)=%2\n").arg(i + 1).arg(products[i].name).toUtf8();
    }
    for (const std::vector<Product>* products : {&user.laser_, &user.dotMatrix_}) {
        for (const Product& p : *products) {
            text += QStringLiteral("\n[%1]\n").arg(p.name).toUtf8();
            for (qsizetype i = 0; i < p.pieces.size(); ++i)
                text += QStringLiteral("Piece(%1)=%2\n").arg(i + 1).arg(p.pieces.at(i)).toUtf8();
        }
    }
    text += QByteArray("\n[") + CfgLib::DetailsSection + "]\n";
    for (const std::vector<Product>* products : {&user.laser_, &user.dotMatrix_})
        for (const Product& p : *products)
            for (const QString& name : p.pieces)
                text += (name + QLatin1Char('=') + user.records_.value(folded(name)) +
                         QLatin1Char('\n'))
                            .toUtf8();

    const auto file = OutputFile::forPath(path);
    if (file->device().write(text) != text.size())
        raiseError(ErrorNumber::DeviceIO, kSource, QStringLiteral("cannot write %1").arg(path));
    file->complete(path);
    file->placeAs(path);
}

} // namespace tav

#pragma once

#include "label_templates.h"
#include "mailpiece_export.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace tav {

/// The piece catalogue as the library sees it: the shipped vardo.cfg of the system directory,
/// the label template library (when installed), and the user's own vardo.cfg read after them,
/// whose products are added and whose pieces add to or replace the others by name.
class MAILPIECE_EXPORT Catalogue {
public:
    struct Product {
        QString name;
        QStringList pieces;
    };

    /// The catalogue as it stands now: read again when the shipped or the user's file changed
    /// (the template library once per process and directory).
    static const Catalogue& current();
    /// The shipped and the user's catalogue alone, without the template library, whose reading
    /// is the costly part: read again when either file changed.
    static const Catalogue& own();
    /// The definition record of `piece`: from own() when it is there, else from current(), so
    /// that the template library is read only for a piece that only it holds.
    static QString recordOf(const QString& piece);
    /// The user's catalogue: $XDG_CONFIG_HOME/mailpiece/vardo.cfg (~/.config when unset).
    static QString userPath();
    /// Whether `name` may name a product or piece: not blank, and without ",", "[", "]", "=" or
    /// a line break (the catalogue's own separators).
    static bool usableName(const QString& name);
    /// Saves a product with one piece `piece` of definition `record` (the catalogue's record
    /// form) in the user's catalogue, replacing a piece of that name. Raises error 75 or 57 when
    /// the file cannot be written, and error 5 for an empty name or a name holding ",", "[",
    /// "]" or "=".
    static void saveUserPiece(const QString& section, const QString& product, const QString& piece,
                              const QString& record);

    /// The products of the paper kind `section` (CfgLib::LaserSection, DotMatrixSection): the
    /// shipped ones in their order, then the user's, then the templates' in natural order.
    const std::vector<Product>& products(const QString& section) const;
    /// The pieces of `product`, or none.
    QStringList pieces(const QString& product) const;
    /// The definition record of `piece`, or "".
    QString record(const QString& piece) const;
    /// What reading the template library found.
    const LabelTemplates::Import& templates() const { return *templates_; }

private:
    // The shipped and user's catalogue `own` with the template library of `templatesDirectory`.
    static std::unique_ptr<Catalogue> withTemplates(const Catalogue& own,
                                                    const QString& templatesDirectory);
    void read(const QString& file);
    // The product numbers of the pieces read so far ("5160" of "5160 - Address").
    QSet<QString> pieceNumbers() const;
    Product& listedProduct(const QString& section, const QString& product);
    void addPiece(const QString& section, const QString& product, const QString& piece,
                  const QString& record);

    std::vector<Product> laser_;
    std::vector<Product> dotMatrix_;
    std::array<QHash<QString, std::size_t>, 2> productIndex_; // by folded name: laser, dot matrix
    QHash<QString, QString> records_;                         // by piece name, folded to lower case
    QHash<QString, QString> productOf_;
    const LabelTemplates::Import* templates_ = nullptr; // read once per process, kept there
    QSet<QString> shippedNumbers_; // of the shipped pieces, which the templates leave to them
};

} // namespace tav

#pragma once

#include "mailpiece_export.h"

#include <QHash>
#include <QString>

#include <utility>
#include <vector>

namespace tav {

/// A piece's texts: the values its items' "<<name>>" placeholders print, by name. The first
/// value of a name is the one that counts, as in a substitution list.
class MAILPIECE_EXPORT PieceTexts {
public:
    using Pair = std::pair<QString, QString>;

    PieceTexts() = default;
    /// Texts from (name, value) pairs; values are kept as given, whatever characters they hold.
    explicit PieceTexts(std::vector<Pair> pairs);
    /// Reads a substitution list "name^value|name^value" (values as a list escapes them);
    /// entries without "^" name nothing.
    static PieceTexts fromList(const QString& list);

    /// The substitution list of these texts, each value escaped.
    QString toList() const;
    /// `textTemplate` with each "<<name>>" of a known name replaced by its value; a value is
    /// not scanned again.
    QString fill(const QString& textTemplate) const;
    /// The value of `name`, or nullptr when none is given.
    const QString* value(QStringView name) const;
    /// The pairs in their order.
    const std::vector<Pair>& pairs() const { return pairs_; }

private:
    std::vector<Pair> pairs_;
    QHash<QString, qsizetype> index_; // the first pair of each name, for a long list
};

} // namespace tav

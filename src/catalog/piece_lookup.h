#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

namespace tav {

/// What a piece name a person typed names in the catalogue.
struct MAILPIECE_EXPORT PieceMatch {
    QString piece;          // the one piece named; empty when none or several match
    QStringList candidates; // the pieces that matched alike, when several did
};

/// The catalogue piece that `text` names, tried in this order: its whole name (any case), its
/// product number ("5160" for "5160 - Address"), a template's brand and part or its part alone
/// ("Avery 15160", "15160"), an Avery part the shipped catalogue holds by number ("Avery 5160"),
/// then the start of one name only. The first rule that matches decides.
MAILPIECE_EXPORT PieceMatch findPiece(const QString& text);

} // namespace tav

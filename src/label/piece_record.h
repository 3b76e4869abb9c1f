#pragma once

#include "mailpiece_export.h"
#include "piece_texts.h"

#include <QObject>
#include <QString>

namespace tav {

/// One piece as read back from the store.
struct MAILPIECE_EXPORT PieceRecord {
    Q_GADGET
    Q_PROPERTY(QString SubstituteText MEMBER substituteText)
    Q_PROPERTY(QString BarCode MEMBER barCodeValue)
    Q_PROPERTY(QString CarrierRoute MEMBER carrierRoute)
    Q_PROPERTY(bool Found MEMBER found)

public:
    QString substituteText;
    PieceTexts texts; // substituteText read once
    QString barCodeValue;
    QString carrierRoute;
    bool found = false;
};

} // namespace tav

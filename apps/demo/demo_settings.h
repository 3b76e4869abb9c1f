#pragma once

#include "imb_settings_dialog.h"

#include <QSettings>
#include <QStringList>

#include <optional>
#include <utility>

/// What the demo remembers between runs (QSettings, "Mailpiece/Mailpiece Demo"): the folder and
/// the files of the last mailings, the pieces, the view, and each printer's offsets.
class DemoSettings {
public:
    /// Mailings kept in File > Open Recent.
    static constexpr int RecentCount = 8;

    QString mailingFolder() const;
    /// Newest first, at most RecentCount.
    QStringList recentMailings() const;
    /// Puts `path` first among the recent mailings and remembers its folder.
    void addRecentMailing(const QString& path);
    void removeRecentMailing(const QString& path);

    /// The label and envelope pieces chosen; empty: the demo's own.
    QString labelPiece() const;
    void setLabelPiece(const QString& name);
    /// The turn chosen for the label piece (0 or 90); none: the catalogue's own.
    std::optional<qint16> labelRotation() const;
    void setLabelRotation(std::optional<qint16> degrees);
    QString envelopePiece() const;
    void setEnvelopePiece(const QString& name);
    /// The view (0 piece, 1 sheet, 2 both) and the page (0 labels, 1 envelopes).
    int view() const;
    void setView(int view);
    int page() const;
    void setPage(int page);

    /// The Intelligent Mail barcode's fixed fields given last.
    ImbFields imbFields() const;
    void setImbFields(const ImbFields& fields);

    /// The design file last saved or opened for the page (0 labels, 1 envelopes); "" for none.
    QString designFile(int page) const;
    void setDesignFile(int page, const QString& path);

    /// PrinterTop and PrinterLeft (inches) kept for the printer `name`, if any.
    std::optional<std::pair<float, float>> offsets(const QString& printer) const;
    void setOffsets(const QString& printer, float top, float left);

private:
    QSettings settings_{QStringLiteral("Mailpiece"), QStringLiteral("Mailpiece Demo")};
};

#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <QByteArray>

#include <memory>

class QIODevice;

namespace tav {

/// The contacts of an address book as a mailing: vCard 2.1, 3.0 and 4.0, one file of one card or
/// many. Each card is a row under the columns the address composition reads (First, Middle,
/// Last, Organization, Address, AddressLine2, City, State, Zip, Country), its number the line
/// of its BEGIN:VCARD; a card without a postal address is left out, saying whose it is.
class MAILPIECE_EXPORT VCardSource : public MailingSource {
public:
    /// Which of several addresses a card gives: marked home (or work), else the preferred one,
    /// else the first.
    enum class AddressType { Home, Work };

    /// Reads from `input`, which the caller keeps open.
    explicit VCardSource(QIODevice& input, AddressType type = AddressType::Home);
    /// The file at `path`, or standard input for "-". Raises error 75 naming the file when it
    /// cannot be opened.
    static std::unique_ptr<VCardSource> open(const QString& path,
                                             AddressType type = AddressType::Home);
    ~VCardSource() override;

    const QStringList& header() const override;
    bool next(MailingRow& row) override;
    QString numberName() const override { return QStringLiteral("line"); }

private:
    struct Card;
    // The next logical line (folded lines joined), or none at the end.
    std::optional<QByteArray> nextLine();
    std::optional<QStringList> rowOf(const Card& card, qint64 number);

    std::unique_ptr<QIODevice> owned_;
    QIODevice& input_;
    AddressType type_;
    QStringList header_;
    qint64 line_ = 0;                   // physical lines read
    std::optional<QByteArray> pending_; // a line read ahead while unfolding
};

} // namespace tav

#include "mailing_open.h"

#include "mailing_file.h"
#include "spreadsheet_source.h"
#include "tav_error.h"

namespace tav {

namespace {

// A source reading a device it owns: the device is made before the source that reads it.
struct HeldDevice {
    std::unique_ptr<QIODevice> device;
};

template <class Source> class WithDevice : private HeldDevice, public Source {
public:
    template <class... Args>
    explicit WithDevice(std::unique_ptr<QIODevice> input, Args&&... args)
        : HeldDevice{std::move(input)}
        , Source(*device, std::forward<Args>(args)...) {}
};

// An address book begins with its first card, after a byte-order mark or blank lines perhaps.
bool isAddressBookStart(QByteArray start) {
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    return start.trimmed().toUpper().startsWith("BEGIN:VCARD");
}

} // namespace

std::unique_ptr<MailingSource> openMailing(const QString& path, const MailingFileOptions& options) {
    if (path != QLatin1String("-") && SpreadsheetSource::isWorkbook(path))
        return SpreadsheetSource::open(path, options.sheet);
    std::unique_ptr<QIODevice> input = openMailingFile(path, QStringLiteral("mailing"));
    const QByteArray start = input->peek(256);
    if (SpreadsheetSource::isWorkbookStart(start))
        return SpreadsheetSource::read(*input, QStringLiteral("stdin"), options.sheet);
    // A sheet asked of a file that has none is a mistake worth a word, not a silent default.
    if (!options.sheet.isEmpty())
        raiseError(
            ErrorNumber::InvalidArgument, QStringLiteral("mailing"),
            QStringLiteral("%1 is not a workbook, so it has no sheet \"%2\"")
                .arg(path == QLatin1String("-") ? QStringLiteral("stdin") : path, options.sheet));
    if (isAddressBookStart(start))
        return std::make_unique<WithDevice<VCardSource>>(std::move(input), options.addressType);
    return std::make_unique<WithDevice<DelimitedSource>>(std::move(input), options.text);
}

} // namespace tav

#pragma once

#include "delimited_source.h"
#include "mailpiece_export.h"
#include "vcard_source.h"

#include <memory>

namespace tav {

/// How a mailing file is read: the choices that apply to its kind.
struct MailingFileOptions {
    DelimitedSource::Options text;                                         ///< delimited text
    VCardSource::AddressType addressType = VCardSource::AddressType::Home; ///< address books
    QString sheet; ///< workbooks: a sheet's name or number from 1; empty, the first with rows
};

/// The mailing in the file at `path` (standard input for "-"), read as what its content is: a
/// workbook (.xlsx, .xlsm, .ods, .xls), an address book (vCard) or delimited text. Raises what
/// the source of that kind raises.
MAILPIECE_EXPORT std::unique_ptr<MailingSource> openMailing(const QString& path,
                                                            const MailingFileOptions& options = {});

} // namespace tav

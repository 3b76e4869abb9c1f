#pragma once

#include "mailpiece_export.h"

#include <QStringList>

#include <array>

namespace tav {

/// Where a mailing's header keeps the parts of an address: our own column names (First, Middle,
/// Last, Organization, Address, AddressLine2, City, State, Zip, Country), else those of the
/// common contact exports (Outlook's "First Name", "Home Street", "Business Postal Code";
/// Google Contacts' "Given Name", "Address 1 - Street"; Thunderbird's "Home ZipCode"). Of an
/// export's two addresses the home one is read, and the work one in a row without a home one.
struct MAILPIECE_EXPORT AddressColumns {
    enum Part { First, Middle, Last, Organization, Street, Street2, City, State, Zip, Country };
    static constexpr int kParts = Country + 1;

    /// Each part's column, -1 where the header has none.
    std::array<qsizetype, kParts> columns{};
    /// The work address's columns where the home address's are read; all -1 otherwise.
    std::array<qsizetype, kParts> workColumns{};

    /// Finds the columns in `header` (names matched ignoring case and surrounding blanks).
    static AddressColumns find(const QStringList& header);
    /// Whether a name and an address can be composed: a name column and a street or city.
    bool composable() const;
    /// Whether any column found has another name than our own.
    bool renamed(const QStringList& header) const;
    /// The header's names of the columns found, in the parts' order.
    QStringList used(const QStringList& header) const;
    /// The column of `part`, or -1.
    qsizetype operator[](Part part) const { return columns[part]; }
    /// The columns `row` gives its address in: the work address's when its home one is empty.
    const std::array<qsizetype, kParts>& columnsOf(const QStringList& row) const;
};

/// Our own name of each part, in the parts' order.
MAILPIECE_EXPORT const QStringList& addressPartNames();

} // namespace tav

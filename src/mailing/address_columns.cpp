#include "address_columns.h"

#include "piece_maker.h"

namespace tav {

namespace {

using Part = AddressColumns::Part;

// The names exports give each part beside ours: for the name, any address; for the address,
// a home one and a work one.
struct PartNames {
    QStringList any, home, work;
};

const std::array<PartNames, AddressColumns::kParts>& partNames() {
    static const std::array<PartNames, AddressColumns::kParts> names = {{
        {{"First", "First Name", "Given Name", "FirstName", "Name", "Full Name", "Display Name"},
         {},
         {}},
        {{"Middle", "Middle Name", "Additional Name", "MiddleName"}, {}, {}},
        {{"Last", "Last Name", "Family Name", "LastName", "Surname"}, {}, {}},
        {{"Organization", "Company", "Organization Name", "Organization 1 - Name", "Company Name"},
         {},
         {}},
        {{"Address", "Street", "Street Address"},
         {"Home Street", "Home Address", "Address 1 - Street"},
         {"Business Street", "Work Address"}},
        {{"AddressLine2", "Address Line 2", "Street 2"},
         {"Home Street 2", "Home Address 2", "Address 1 - Extended Address"},
         {"Business Street 2", "Work Address 2"}},
        {{"City", "Town"}, {"Home City", "Address 1 - City"}, {"Business City", "Work City"}},
        {{"State", "Province"},
         {"Home State", "Address 1 - Region"},
         {"Business State", "Work State"}},
        {{"Zip", "ZIP Code", "ZipCode", "Postal Code", "Postcode"},
         {"Home Postal Code", "Home ZipCode", "Address 1 - Postal Code"},
         {"Business Postal Code", "Work ZipCode"}},
        {{"Country", "Country/Region"},
         {"Home Country/Region", "Home Country", "Address 1 - Country"},
         {"Business Country/Region", "Work Country"}},
    }};
    return names;
}

qsizetype firstOf(const QStringList& header, const QStringList& names) {
    for (const QString& name : names)
        if (const qsizetype column = columnIndex(header, name); column >= 0)
            return column;
    return -1;
}

} // namespace

const QStringList& addressPartNames() {
    static const QStringList names = [] {
        QStringList first;
        for (const PartNames& part : partNames())
            first << part.any.constFirst();
        return first;
    }();
    return names;
}

AddressColumns AddressColumns::find(const QStringList& header) {
    AddressColumns found;
    const auto& names = partNames();
    // The address comes from one group of columns: ours, else the home address, else work's.
    const auto group = [&](QStringList PartNames::*list) {
        return firstOf(header, names[Street].*list) >= 0 || firstOf(header, names[City].*list) >= 0;
    };
    QStringList PartNames::*chosen = group(&PartNames::any)    ? &PartNames::any
                                     : group(&PartNames::home) ? &PartNames::home
                                                               : &PartNames::work;
    const auto columnsOf = [&](QStringList PartNames::*list) {
        std::array<qsizetype, kParts> columns;
        for (int part = 0; part < kParts; ++part) {
            const bool namePart = part <= Organization;
            columns[part] = firstOf(header, namePart ? names[part].any : names[part].*list);
            if (!namePart && list != &PartNames::any && columns[part] < 0)
                columns[part] = firstOf(header, names[part].any); // a shared "Country"
        }
        return columns;
    };
    found.columns = columnsOf(chosen);
    found.workColumns.fill(-1);
    if (chosen == &PartNames::home && group(&PartNames::work))
        found.workColumns = columnsOf(&PartNames::work);
    return found;
}

const std::array<qsizetype, AddressColumns::kParts>&
AddressColumns::columnsOf(const QStringList& row) const {
    const auto empty = [&](const std::array<qsizetype, kParts>& group) {
        for (const Part part : {Street, Street2, City, Zip})
            if (group[part] >= 0 && !row.value(group[part]).trimmed().isEmpty())
                return false;
        return true;
    };
    return workColumns[Street] < 0 && workColumns[City] < 0 ? columns
           : empty(columns) && !empty(workColumns)          ? workColumns
                                                            : columns;
}

bool AddressColumns::composable() const {
    const bool name = columns[First] >= 0 || columns[Middle] >= 0 || columns[Last] >= 0;
    return name && (columns[Street] >= 0 || columns[Street2] >= 0 || columns[City] >= 0);
}

bool AddressColumns::renamed(const QStringList& header) const {
    for (int part = 0; part < kParts; ++part)
        if (columns[part] >= 0 &&
            header.at(columns[part])
                    .trimmed()
                    .compare(addressPartNames().at(part), Qt::CaseInsensitive) != 0)
            return true;
    return false;
}

QStringList AddressColumns::used(const QStringList& header) const {
    QStringList names;
    for (const auto* group : {&columns, &workColumns})
        for (const qsizetype column : *group)
            if (column >= 0 && !names.contains(header.at(column).trimmed()))
                names << header.at(column).trimmed();
    return names;
}

} // namespace tav

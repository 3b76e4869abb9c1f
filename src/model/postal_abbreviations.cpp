// The tables of USPS Publication 28, Postal Addressing Standards: appendix C1, street suffix
// abbreviations (each primary name, its standard abbreviation and the common variants the
// appendix lists), and appendix C2, secondary unit designators.

#include "postal_abbreviations.h"

#include <QHash>

namespace tav::PostalAbbreviations {

namespace {

// Each row: the standard abbreviation, then the words that mean it.
constexpr const char* kSuffixes[][5] = {
    {"ALY", "ALLEY", "ALLEE", "ALLY"},
    {"ANX", "ANNEX", "ANEX", "ANNX"},
    {"ARC", "ARCADE"},
    {"AVE", "AVENUE", "AV", "AVEN", "AVENU"},
    {"AVE", "AVN", "AVNUE"},
    {"BYU", "BAYOU", "BAYOO"},
    {"BCH", "BEACH"},
    {"BND", "BEND"},
    {"BLF", "BLUFF", "BLUF"},
    {"BLFS", "BLUFFS"},
    {"BTM", "BOTTOM", "BOT", "BOTTM"},
    {"BLVD", "BOULEVARD", "BOUL", "BOULV"},
    {"BR", "BRANCH", "BRNCH"},
    {"BRG", "BRIDGE", "BRDGE"},
    {"BRK", "BROOK"},
    {"BRKS", "BROOKS"},
    {"BG", "BURG"},
    {"BGS", "BURGS"},
    {"BYP", "BYPASS", "BYPA", "BYPAS", "BYPS"},
    {"CP", "CAMP", "CMP"},
    {"CYN", "CANYON", "CANYN", "CNYN"},
    {"CPE", "CAPE"},
    {"CSWY", "CAUSEWAY", "CAUSWA"},
    {"CTR", "CENTER", "CEN", "CENT", "CENTR"},
    {"CTR", "CENTRE", "CNTER", "CNTR"},
    {"CTRS", "CENTERS"},
    {"CIR", "CIRCLE", "CIRC", "CIRCL", "CRCL"},
    {"CIR", "CRCLE"},
    {"CIRS", "CIRCLES"},
    {"CLF", "CLIFF"},
    {"CLFS", "CLIFFS"},
    {"CLB", "CLUB"},
    {"CMN", "COMMON"},
    {"CMNS", "COMMONS"},
    {"COR", "CORNER"},
    {"CORS", "CORNERS"},
    {"CRSE", "COURSE"},
    {"CT", "COURT"},
    {"CTS", "COURTS"},
    {"CV", "COVE"},
    {"CVS", "COVES"},
    {"CRK", "CREEK"},
    {"CRES", "CRESCENT", "CRSENT", "CRSNT"},
    {"CRST", "CREST"},
    {"XING", "CROSSING", "CRSSNG"},
    {"XRD", "CROSSROAD"},
    {"XRDS", "CROSSROADS"},
    {"CURV", "CURVE"},
    {"DL", "DALE"},
    {"DM", "DAM"},
    {"DV", "DIVIDE", "DIV", "DVD"},
    {"DR", "DRIVE", "DRIV", "DRV"},
    {"DRS", "DRIVES"},
    {"EST", "ESTATE"},
    {"ESTS", "ESTATES"},
    {"EXPY", "EXPRESSWAY", "EXP", "EXPR", "EXPRESS"},
    {"EXPY", "EXPW"},
    {"EXT", "EXTENSION", "EXTN", "EXTNSN"},
    {"EXTS", "EXTENSIONS"},
    {"FALL", "FALL"},
    {"FLS", "FALLS"},
    {"FRY", "FERRY", "FRRY"},
    {"FLD", "FIELD"},
    {"FLDS", "FIELDS"},
    {"FLT", "FLAT"},
    {"FLTS", "FLATS"},
    {"FRD", "FORD"},
    {"FRDS", "FORDS"},
    {"FRST", "FOREST", "FORESTS"},
    {"FRG", "FORGE", "FORG"},
    {"FRGS", "FORGES"},
    {"FRK", "FORK"},
    {"FRKS", "FORKS"},
    {"FT", "FORT", "FRT"},
    {"FWY", "FREEWAY", "FREEWY", "FRWAY", "FRWY"},
    {"GDN", "GARDEN", "GARDN", "GRDEN", "GRDN"},
    {"GDNS", "GARDENS", "GRDNS"},
    {"GTWY", "GATEWAY", "GATEWY", "GATWAY", "GTWAY"},
    {"GLN", "GLEN"},
    {"GLNS", "GLENS"},
    {"GRN", "GREEN"},
    {"GRNS", "GREENS"},
    {"GRV", "GROVE", "GROV"},
    {"GRVS", "GROVES"},
    {"HBR", "HARBOR", "HARB", "HARBR", "HRBOR"},
    {"HBRS", "HARBORS"},
    {"HVN", "HAVEN"},
    {"HTS", "HEIGHTS", "HT"},
    {"HWY", "HIGHWAY", "HIGHWY", "HIWAY", "HIWY"},
    {"HWY", "HWAY"},
    {"HL", "HILL"},
    {"HLS", "HILLS"},
    {"HOLW", "HOLLOW", "HLLW", "HOLLOWS", "HOLWS"},
    {"INLT", "INLET"},
    {"IS", "ISLAND", "ISLND"},
    {"ISS", "ISLANDS", "ISLNDS"},
    {"ISLE", "ISLE", "ISLES"},
    {"JCT", "JUNCTION", "JCTION", "JCTN", "JUNCTN"},
    {"JCT", "JUNCTON"},
    {"JCTS", "JUNCTIONS", "JCTNS"},
    {"KY", "KEY"},
    {"KYS", "KEYS"},
    {"KNL", "KNOLL", "KNOL"},
    {"KNLS", "KNOLLS"},
    {"LK", "LAKE"},
    {"LKS", "LAKES"},
    {"LAND", "LAND"},
    {"LNDG", "LANDING", "LNDNG"},
    {"LN", "LANE"},
    {"LGT", "LIGHT"},
    {"LGTS", "LIGHTS"},
    {"LF", "LOAF"},
    {"LCK", "LOCK"},
    {"LCKS", "LOCKS"},
    {"LDG", "LODGE", "LDGE", "LODG"},
    {"LOOP", "LOOP", "LOOPS"},
    {"MALL", "MALL"},
    {"MNR", "MANOR"},
    {"MNRS", "MANORS"},
    {"MDW", "MEADOW"},
    {"MDWS", "MEADOWS", "MEDOWS"},
    {"MEWS", "MEWS"},
    {"ML", "MILL"},
    {"MLS", "MILLS"},
    {"MSN", "MISSION", "MISSN", "MSSN"},
    {"MTWY", "MOTORWAY"},
    {"MT", "MOUNT", "MNT"},
    {"MTN", "MOUNTAIN", "MNTAIN", "MNTN", "MOUNTIN"},
    {"MTN", "MTIN"},
    {"MTNS", "MOUNTAINS", "MNTNS"},
    {"NCK", "NECK"},
    {"ORCH", "ORCHARD", "ORCHRD"},
    {"OVAL", "OVAL", "OVL"},
    {"OPAS", "OVERPASS"},
    {"PARK", "PARK", "PRK", "PARKS"},
    {"PKWY", "PARKWAY", "PARKWY", "PKWAY", "PKY"},
    {"PKWY", "PARKWAYS", "PKWYS"},
    {"PASS", "PASS"},
    {"PSGE", "PASSAGE"},
    {"PATH", "PATH", "PATHS"},
    {"PIKE", "PIKE", "PIKES"},
    {"PNE", "PINE"},
    {"PNES", "PINES"},
    {"PL", "PLACE"},
    {"PLN", "PLAIN"},
    {"PLNS", "PLAINS"},
    {"PLZ", "PLAZA", "PLZA"},
    {"PT", "POINT"},
    {"PTS", "POINTS"},
    {"PRT", "PORT"},
    {"PRTS", "PORTS"},
    {"PR", "PRAIRIE", "PRR"},
    {"RADL", "RADIAL", "RAD", "RADIEL"},
    {"RAMP", "RAMP"},
    {"RNCH", "RANCH", "RANCHES", "RNCHS"},
    {"RPD", "RAPID"},
    {"RPDS", "RAPIDS"},
    {"RST", "REST"},
    {"RDG", "RIDGE", "RDGE"},
    {"RDGS", "RIDGES"},
    {"RIV", "RIVER", "RVR", "RIVR"},
    {"RD", "ROAD"},
    {"RDS", "ROADS"},
    {"RTE", "ROUTE"},
    {"ROW", "ROW"},
    {"RUE", "RUE"},
    {"RUN", "RUN"},
    {"SHL", "SHOAL"},
    {"SHLS", "SHOALS"},
    {"SHR", "SHORE", "SHOAR"},
    {"SHRS", "SHORES", "SHOARS"},
    {"SKWY", "SKYWAY"},
    {"SPG", "SPRING", "SPNG", "SPRNG"},
    {"SPGS", "SPRINGS", "SPNGS", "SPRNGS"},
    {"SPUR", "SPUR", "SPURS"},
    {"SQ", "SQUARE", "SQR", "SQRE", "SQU"},
    {"SQS", "SQUARES", "SQRS"},
    {"STA", "STATION", "STATN", "STN"},
    {"STRA", "STRAVENUE", "STRAV", "STRAVEN", "STRAVN"},
    {"STRA", "STRVN", "STRVNUE"},
    {"STRM", "STREAM", "STREME"},
    {"ST", "STREET", "STRT", "STR"},
    {"STS", "STREETS"},
    {"SMT", "SUMMIT", "SUMIT", "SUMITT"},
    {"TER", "TERRACE", "TERR"},
    {"TRWY", "THROUGHWAY"},
    {"TRCE", "TRACE", "TRACES"},
    {"TRAK", "TRACK", "TRACKS", "TRK", "TRKS"},
    {"TRFY", "TRAFFICWAY"},
    {"TRL", "TRAIL", "TRAILS", "TRLS"},
    {"TRLR", "TRAILER", "TRLRS"},
    {"TUNL", "TUNNEL", "TUNEL", "TUNLS", "TUNNELS"},
    {"TUNL", "TUNNL"},
    {"TPKE", "TURNPIKE", "TRNPK", "TURNPK"},
    {"UPAS", "UNDERPASS"},
    {"UN", "UNION"},
    {"UNS", "UNIONS"},
    {"VLY", "VALLEY", "VALLY", "VLLY"},
    {"VLYS", "VALLEYS"},
    {"VIA", "VIADUCT", "VDCT", "VIADCT"},
    {"VW", "VIEW"},
    {"VWS", "VIEWS"},
    {"VLG", "VILLAGE", "VILL", "VILLAG", "VILLG"},
    {"VLG", "VILLIAGE"},
    {"VLGS", "VILLAGES"},
    {"VL", "VILLE"},
    {"VIS", "VISTA", "VIST", "VST", "VSTA"},
    {"WALK", "WALK", "WALKS"},
    {"WALL", "WALL"},
    {"WAY", "WAY", "WY"},
    {"WAYS", "WAYS"},
    {"WL", "WELL"},
    {"WLS", "WELLS"},
};

// Appendix C2: the designator, its abbreviation, and whether it needs a number after it.
struct Unit {
    const char* name;
    const char* abbreviation;
    bool numbered;
};
constexpr Unit kUnits[] = {
    {"APARTMENT", "APT", true},   {"BASEMENT", "BSMT", false}, {"BUILDING", "BLDG", true},
    {"DEPARTMENT", "DEPT", true}, {"FLOOR", "FL", true},       {"FRONT", "FRNT", false},
    {"HANGAR", "HNGR", true},     {"KEY", "KEY", true},        {"LOBBY", "LBBY", false},
    {"LOT", "LOT", true},         {"LOWER", "LOWR", false},    {"OFFICE", "OFC", false},
    {"PENTHOUSE", "PH", false},   {"PIER", "PIER", true},      {"REAR", "REAR", false},
    {"ROOM", "RM", true},         {"SIDE", "SIDE", false},     {"SLIP", "SLIP", true},
    {"SPACE", "SPC", true},       {"STOP", "STOP", true},      {"SUITE", "STE", true},
    {"TRAILER", "TRLR", true},    {"UNIT", "UNIT", true},      {"UPPER", "UPPR", false},
};

} // namespace

QString streetSuffix(const QString& word) {
    // Every word of a row, the abbreviation itself included, to the abbreviation.
    static const QHash<QString, QString> suffixes = [] {
        QHash<QString, QString> words;
        for (const auto& row : kSuffixes)
            for (const char* name : row)
                if (name != nullptr)
                    words.insert(QString::fromLatin1(name), QString::fromLatin1(row[0]));
        return words;
    }();
    return suffixes.value(word);
}

QString unitDesignator(const QString& word) {
    static const QHash<QString, QString> units = [] {
        QHash<QString, QString> words;
        for (const Unit& unit : kUnits) {
            words.insert(QString::fromLatin1(unit.name), QString::fromLatin1(unit.abbreviation));
            words.insert(QString::fromLatin1(unit.abbreviation),
                         QString::fromLatin1(unit.abbreviation));
        }
        return words;
    }();
    return units.value(word);
}

bool unitWithoutNumber(const QString& abbreviation) {
    for (const Unit& unit : kUnits)
        if (abbreviation == QLatin1String(unit.abbreviation))
            return !unit.numbered;
    return false;
}

} // namespace tav::PostalAbbreviations

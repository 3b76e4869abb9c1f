#pragma once

#include <QString>

namespace tav {
class TavLabel;
class TavMail;
} // namespace tav

/// What a mailer prints beside the address for the post office: an ancillary service
/// endorsement, with the clear space the Domestic Mail Manual asks around it (DMM 507.1.5,
/// 102.4: 8 point type at least, 1/4 inch clear, directly above the delivery address or below
/// the return address).
namespace mailpiece {

/// The endorsement `asked` names, as it prints ("return service requested" gives "RETURN
/// SERVICE REQUESTED"). Raises tav::TavError (error 5) naming the five there are.
QString endorsementText(const QString& asked);

/// Puts `endorsement` on the labels above the address block, in item 7 at the block's font
/// (8 points at least), with 1/4 inch clear between it and the block, which is made shorter by
/// as much. Raises tav::TavError (error 380) when the label has no room for that and the block's
/// lines at 8 points.
void placeEndorsement(tav::TavLabel& label, const QString& endorsement);

/// Puts `endorsement` on the envelopes 1/4 inch below the return address, in item 3. Raises
/// tav::TavError (error 5) when they have no return address.
void placeEndorsement(tav::TavMail& mail, const QString& endorsement);

} // namespace mailpiece

#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

class PropertyBag;
class TavItemCls;

/// Writes every field of `item` to `bag` under `prefix` followed by the field's two-letter code
/// ("Item1PropertiesTO" for the top of item 1), as the label control saves its items.
MAILPIECE_EXPORT void writeItemRecord(PropertyBag& bag, const QString& prefix,
                                      const TavItemCls& item);

} // namespace tav

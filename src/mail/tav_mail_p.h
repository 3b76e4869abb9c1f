#pragma once

#include "tav_address_cls.h"

#include <memory>

namespace tav {

class TavLabel;

/// What an envelope control keeps: its inner label control and the state of its own properties.
class TavMailPrivate {
public:
    TavLabel* label = nullptr;                      // the child that keeps and prints the pieces
    mutable std::shared_ptr<TavAddressCls> address; // DeliveryAddress_Text, made when first asked
    qint32 barCodePosition = 0;
    bool designMode = false;
};

} // namespace tav

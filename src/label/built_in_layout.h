#pragma once

#include "mailpiece_export.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <array>
#include <memory>

namespace tav {

/// The label control's built-in layout: the template records behind a new control's defaults.
struct MAILPIECE_EXPORT BuiltInLayout {
    /// Fills the templates: a 2 × 4 sheet of 3 × 2.25 in pieces, seven centred items with
    /// templates "<<Item1>>" .. "<<Item7>>", and a hidden bar code.
    BuiltInLayout();

    std::shared_ptr<TavSheetCls> sheet;
    std::array<std::shared_ptr<TavItemCls>, 7> items;
    std::shared_ptr<TavBarCodeCls> barCode;
};

} // namespace tav

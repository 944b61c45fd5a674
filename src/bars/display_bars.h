#pragma once

#include "bars/bar_fields.h"
#include "bars/bar_table.h"

namespace ombrelis {

// The horizontal bar of display mode: X bounds and legend, the four curve
// names with the radio buttons that choose the current curve, the script box,
// the cursor readout, the surface and the Edit, Undo and Delete buttons.
class CDisplayBar : public CTableBar<DisplayBarFields> {
    Q_OBJECT
public:
    CDisplayBar(DisplayBarFields &fields, QWidget *parent);
};

// The vertical bar of display mode: Y bounds and legend.
class CDisplayYBar : public CTableBar<DisplayYBarFields> {
    Q_OBJECT
public:
    CDisplayYBar(DisplayYBarFields &fields, QWidget *parent);
};

}  // namespace ombrelis

#pragma once

#include "bars/bar_fields.h"
#include "bars/bar_table.h"

namespace ombrelis {

// The horizontal bar of edit mode: X bounds and legend as edit boxes, the
// clipboard, Create and Undo buttons, the typed point, the cursor readout,
// and OK and Cancel.
class CEditBar : public CTableBar<EditBarFields> {
    Q_OBJECT
public:
    CEditBar(EditBarFields &fields, QWidget *parent);
};

// The vertical bar of edit mode: Y bounds and legend as edit boxes.
class CEditYBar : public CTableBar<EditYBarFields> {
    Q_OBJECT
public:
    CEditYBar(EditYBarFields &fields, QWidget *parent);
};

}  // namespace ombrelis

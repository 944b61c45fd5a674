#pragma once

#include "bars/axis_bar.h"
#include "bars/bar_fields.h"

// The horizontal bar of edit mode: X bounds and legend as edit boxes, the
// clipboard, Create and Undo buttons, the typed point, the cursor readout,
// and OK and Cancel.
class CEditBar : public CAxisBar {
    Q_OBJECT
public:
    CEditBar(EditBarFields &fields, QWidget *parent);

    void readControls() override;
    void writeControls() override;

private:
    EditBarFields &fields_;
};

// The vertical bar of edit mode: Y bounds and legend as edit boxes.
class CEditYBar : public CAxisBar {
    Q_OBJECT
public:
    CEditYBar(EditYBarFields &fields, QWidget *parent);

    void readControls() override;
    void writeControls() override;

private:
    EditYBarFields &fields_;
};

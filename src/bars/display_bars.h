#pragma once

#include "bars/axis_bar.h"
#include "bars/bar_fields.h"

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;

// The horizontal bar of display mode: X bounds and legend, the four curve
// names with the radio buttons that choose the current curve, the script box,
// the cursor readout, the surface and the Edit, Undo and Delete buttons.
class CDisplayBar : public CAxisBar {
    Q_OBJECT
public:
    CDisplayBar(DisplayBarFields &fields, QWidget *parent);

    void readControls() override;
    void writeControls() override;

    // Radio buttons of curves 1 to 4.
    static constexpr std::array<int, 4> kCurveRadios{1040, 1041, 1042, 1039};
    static constexpr std::array<int, 4> kCurveNameIds{1002, 1004, 1006, 1008};

private:
    DisplayBarFields &fields_;
    QButtonGroup *radios_;
};

// The vertical bar of display mode: Y bounds and legend.
class CDisplayYBar : public CAxisBar {
    Q_OBJECT
public:
    CDisplayYBar(DisplayYBarFields &fields, QWidget *parent);

    void readControls() override;
    void writeControls() override;

private:
    DisplayYBarFields &fields_;
};

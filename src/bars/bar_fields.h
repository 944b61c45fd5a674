#pragma once

#include <array>
#include <string>

namespace ombrelis {

// The values the four axis bars show, one set for the whole application.
// Each bar copies its controls into these members (`readControls`) and the
// members into its controls (`writeControls`); everything else reads and
// writes the members. Texts are UTF-8.
struct DisplayBarFields {
    double xminValue = 0.0;
    std::string xLegendText = "Legende de l'axe des X";
    double xmaxValue = 1000.0;
    std::array<std::string, 4> curveNames{};
    int selectedCurve = 0;  // 0..3: the radio buttons of curves 1 to 4
    std::string scriptLine;
    std::string cursorXText;
    std::string cursorYText;
    std::string surfaceText;
};

struct DisplayYBarFields {
    double ymaxValue = 1000.0;
    std::string yLegendText = "Legende de l'axe des Y";
    double yminValue = 0.0;
};

struct EditBarFields {
    std::string xminText = "0";
    std::string xLegendText = "Legende de l'axe des X";
    std::string xmaxText = "1000";
    std::string pointXText = "0.0";
    std::string pointYText = "0.0";
    std::string cursorXText;
    std::string cursorYText;
};

struct EditYBarFields {
    std::string ymaxText = "1000";
    std::string yLegendText = "Legende de l'axe des Y";
    std::string yminText = "0";
};

struct AxisBarFields {
    DisplayBarFields display;
    DisplayYBarFields displayY;
    EditBarFields edit;
    EditYBarFields editY;
    bool editBarsShown = false;  // true while the edit pair is the one showing
};

enum class BarId {
    Display,
    DisplayY,
    Edit,
    EditY
};

}  // namespace ombrelis

#pragma once

#include "test_support.h"

#include <string>

namespace ombrelis {

// The two-sample curve of the format's worked example, with four stored points.
inline std::unique_ptr<CurveSlot> workedExampleSlot()
{
    auto slot = makeSlot();
    slot->sampleCount = 2;
    setSample(*slot, 0, 0, 0, 50);
    setSample(*slot, 1, 900, 300, 50);
    slot->samplingCount = 4;
    slot->sampledPoints[0] = {0, 0};
    slot->sampledPoints[1] = {300, 90};
    slot->sampledPoints[2] = {600, 210};
    slot->sampledPoints[3] = {900, 300};
    return slot;
}

inline const std::string kWorkedExampleFile =
    ";L\xE9gende de l'axe des X\r\n"
    "X\r\n"
    ";Xmin\r\n"
    "0.000000\r\n"
    ";Xmax\r\n"
    "1000.000000\r\n"
    ";L\xE9gende de l'axe des Y\r\n"
    "Y\r\n"
    ";Ymin\r\n"
    "0.000000\r\n"
    ";Ymax\r\n"
    "1000.000000\r\n"
    ";Nombre d'echantillons\r\n"
    "2\r\n"
    ";Coordonn\xE9"
    "es des : Echantillons - Tangentes d\xE9"
    "but - Tangentes fin\r\n"
    "0.000000 0.000000\t-50.000000 0.000000\t50.000000 0.000000\r\n"
    "900.000000 300.000000\t850.000000 300.000000\t950.000000 300.000000\r\n"
    ";Flag d'interpolation\r\n"
    "0\r\n"
    ";Nombre de points echantillon\xE9s\r\n"
    "4\r\n"
    ";Coordonn\xE9"
    "es des points \xE9"
    "chantillonn\xE9s\r\n"
    "0.000000 0.000000\r\n"
    "300.000000 90.000000\r\n"
    "600.000000 210.000000\r\n"
    "900.000000 300.000000\r\n";

}  // namespace ombrelis

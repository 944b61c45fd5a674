#pragma once

#include "curves/curve_slot.h"

#include <string>
#include <string_view>

namespace ombrelis {

// The title the framework gives a new document window; the file commands
// count it as no title at all.
inline constexpr std::string_view kUntitledDocumentTitle = "Untitled";

// The file Save writes a curve to: the file-name form of its name plus ".crv"
// (a name computed by a script, "C1+C2", becomes "C1_add_C2.crv"), inside the
// slot's folder, or relative to the current folder when it has none. A name
// that already is a path inside the folder (a curve opened as a document)
// keeps its folder part as it is.
std::string curveSavePath(const CurveSlot &slot);

// The window title after curve `fileTitle` was opened or named: the file
// title, " (Lecture seule)" when the file cannot be written, " - ", then the
// title the window had, so the title lists the curves newest first.
std::string curveWindowTitle(std::string_view fileTitle, bool readOnly,
                             std::string_view currentTitle);

}  // namespace ombrelis

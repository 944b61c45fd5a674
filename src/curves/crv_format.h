#pragma once

#include "curves/curve_slot.h"
#include "curves/status.h"

#include <string>
#include <string_view>

namespace ombrelis {

// The .crv text format: one curve per file, French comment lines before each
// field, CRLF line ends, Windows-1252 text, numbers in the "C" locale.

// The bytes of the file for `slot`: legends, bounds, control samples with their
// handle tips, the interpolation flag and the sampled points.
std::string formatCurveFile(const CurveSlot &slot);

// Reads the bytes of a .crv file into `slot`. Comment lines are skipped before
// each value, lines may end in CRLF or LF, numbers are read as atof/atoi read
// them, and a short file reads as empty texts and zeros. The slot changes only
// when the whole file was read: a file whose counts exceed the capacities is
// refused with a French message naming `fileName`. name, colour, active,
// scriptText and array entries beyond the counts keep their values.
// What that lenient reading passed over goes into *fault (if given) when the
// file is read: one French sentence naming `fileName` and the first fault (a
// file that ends before the data its counts announce, text where a number
// belongs, a number that is not finite, a negative count), or nothing for a
// whole, well-formed file.
Status parseCurveFile(std::string_view bytes, std::string_view fileName, CurveSlot &slot,
                      std::string *fault = nullptr);

// Whether a legend can be one line of a curve file; refused, in French, for a
// line break, a first ";" that the reader would skip as a comment, or a
// character that Windows-1252 cannot hold.
Status checkLegend(std::string_view utf8);

}  // namespace ombrelis

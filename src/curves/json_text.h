#pragma once

#include <string>
#include <string_view>

namespace ombrelis {

// Values written as RFC 8259 JSON for other programs.

// `text` as a JSON string: quotes, backslashes and control characters
// escaped. Bytes that are not UTF-8 (a file name can hold any) become U+FFFD,
// so that the output is always valid UTF-8.
void appendJsonString(std::string &out, std::string_view text);

// `value` in its shortest round-trip form; null when it is not finite, which
// JSON cannot hold.
void appendJsonNumber(std::string &out, double value);

}  // namespace ombrelis

// The run-time library's numeric test and value of a text, and rounding.
// Locale-independent: "." is the only decimal point, whatever the user's
// settings, so a value typed here means the same on every machine.
//
// Grammar: blanks, an optional sign, digits with at most one ".", at least
// one digit, an optional exponent ("e" or "E", optional sign, digits), blanks.
// No "inf", "nan", hexadecimal or thousands separators.
#pragma once

#include <string_view>

namespace varnsel::platform {

// True when the whole text reads as a number.
bool isNumeric(std::string_view text);

// The number spelt by the text's longest leading part that fits the grammar,
// 0 when none does; +/-infinity when it lies beyond the range of a double.
double numericValue(std::string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

}  // namespace varnsel::platform

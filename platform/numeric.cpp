#include "platform/numeric.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace varnsel::platform {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The pieces of the longest leading number in a text.
struct Scan {
    bool negative = false;
    std::string_view mantissa;  // digits with at most one "."
    std::string_view exponent;  // "e[sign]digits", or empty
    std::size_t end = 0;        // first character after the number
    bool found = false;
};

std::size_t skipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    return at;
}

Scan scanNumber(std::string_view text) {
    Scan scan;
    std::size_t at = skipBlanks(text, 0);
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        scan.negative = text[at] == '-';
        ++at;
    }
    const std::size_t start = at;
    bool digits = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (isDigit(text[at])) {
            digits = true;
        } else if (text[at] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return scan;
    scan.found = true;
    scan.mantissa = text.substr(start, at - start);
    scan.end = at;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        const std::size_t expDigits = e;
        while (e < text.size() && isDigit(text[e])) ++e;
        if (e > expDigits) {  // an exponent without digits does not belong
            scan.exponent = text.substr(at, e - at);
            scan.end = e;
        }
    }
    return scan;
}

// Where from_chars reports a result out of range, tell overflow from underflow
// by the decimal magnitude: digits before the point plus the exponent.
double outOfRange(const Scan& scan) {
    long long magnitude = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    for (char c : scan.mantissa) {
        if (c == '.') {
            afterPoint = true;
        } else if (!seenNonZero) {
            if (c != '0') {
                seenNonZero = true;
                if (!afterPoint) ++magnitude;
            } else if (afterPoint) {
                --magnitude;
            }
        } else if (!afterPoint) {
            ++magnitude;
        }
    }
    if (!seenNonZero) return 0.0;
    long long exp = 0;
    // A long run of digits overflows with no exponent at all.
    std::string_view e = scan.exponent.empty() ? std::string_view() : scan.exponent.substr(1);
    const bool expNegative = !e.empty() && e[0] == '-';
    if (!e.empty() && (e[0] == '+' || e[0] == '-')) e.remove_prefix(1);
    for (char c : e) exp = std::min<long long>(exp * 10 + (c - '0'), 1'000'000'000);
    magnitude += expNegative ? -exp : exp;
    if (magnitude <= 0) return scan.negative ? -0.0 : 0.0;
    return scan.negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
}

}  // namespace

bool isNumeric(std::string_view text) {
    const Scan scan = scanNumber(text);
    return scan.found && skipBlanks(text, scan.end) == text.size();
}

double numericValue(std::string_view text) {
    const Scan scan = scanNumber(text);
    if (!scan.found) return 0.0;
    std::string number(scan.mantissa);
    number += scan.exponent;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) return outOfRange(scan);
    (void)ptr;
    return scan.negative ? -value : value;
}

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; remainder-based rounding does not depend on it.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace varnsel::platform

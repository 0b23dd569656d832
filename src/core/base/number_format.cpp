#include "core/base/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tarnwick {
namespace {

constexpr std::array<double, 19> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                           1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                           1e14, 1e15, 1e16, 1e17, 1e18};

// Decimal digits of |x|: value = 0.d1 d2 d3 ... * 10^exp10. The digits are
// exact for every value whose rounding position can be an exact tie (a tie
// at decimal d has at most d + 1 fractional digits), which is all the
// rounding below needs.
struct Digits {
    std::string digits;  // significant digits, no leading zero
    int exp10 = 0;
};

Digits decimalDigits(double x) {
    Digits d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 40);
    std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
    auto e = s.find('e');
    d.digits.reserve(41);
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') d.digits.push_back(s[i]);
    int exp = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exp);
    d.exp10 = exp + 1;
    return d;
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

}  // namespace

std::string formatFixed(double x, int decimals, int precision) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    const bool negative = std::signbit(x);
    std::string digits;
    int exp10 = 0;  // value = 0.digits * 10^exp10
    if (x != 0) {
        Digits d = decimalDigits(x);
        // Keep `keep` significant digits: the last decimal or the
        // precision-th digit, whichever comes first.
        int keep = std::min(precision, d.exp10 + decimals);
        if (keep < 0) {
            digits.clear();
        } else {
            // A leading 0 lets a value below the rounding position carry into
            // a new digit ("0.006" at 2 decimals with keep == 0).
            std::string work = "0" + d.digits;
            int k = keep + 1;
            bool up = static_cast<size_t>(k) < work.size() && work[static_cast<size_t>(k)] >= '5';
            work.resize(std::min(work.size(), static_cast<size_t>(k)));
            if (up) {
                int i = k - 1;
                while (i >= 0 && work[static_cast<size_t>(i)] == '9') work[static_cast<size_t>(i--)] = '0';
                if (i >= 0) ++work[static_cast<size_t>(i)];
            }
            exp10 = d.exp10 + 1;
            size_t first = work.find_first_not_of('0');
            if (first == std::string::npos) {
                digits.clear();
            } else {
                digits = work.substr(first);
                exp10 -= static_cast<int>(first);
            }
        }
    }
    if (digits.empty()) {
        std::string out = "0";
        if (decimals > 0) out += "." + std::string(static_cast<size_t>(decimals), '0');
        return out;
    }
    std::string out = negative ? "-" : "";
    if (exp10 > precision) {
        // Integer part too long for the precision: exponent form.
        out += digits[0];
        std::string rest = digits.substr(1);
        rest.resize(static_cast<size_t>(std::max(precision - 1, 0)), '0');
        if (!rest.empty()) out += "." + rest;
        out += "E+" + std::to_string(exp10 - 1);
        return out;
    }
    if (exp10 <= 0) {
        out += "0";
    } else {
        for (int i = 0; i < exp10; ++i)
            out += i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    }
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i) {
            int pos = exp10 + i;  // index into digits of this decimal
            out += (pos >= 0 && pos < static_cast<int>(digits.size())) ? digits[static_cast<size_t>(pos)] : '0';
        }
    }
    return out;
}

double roundTo(double x, int decimals) {
    // Fast path: no tie nearby and far from the 15-digit limit, so rounding
    // the scaled value is the same as rounding the exact value, and k / 10^d
    // is the double nearest to the decimal text, as reading it back gives.
    if (decimals >= 0 && decimals <= 9 && std::isfinite(x)) {
        double y = x * kPow10[static_cast<size_t>(decimals)];
        double ay = std::fabs(y);
        if (ay < 68719476736.0) {  // 2^36
            double fl = std::floor(ay);
            double frac = ay - fl;
            if (std::fabs(frac - 0.5) > 1e-3) {
                double k = frac > 0.5 ? fl + 1 : fl;
                double r = k / kPow10[static_cast<size_t>(decimals)];
                return (y < 0 && k != 0) ? -r : r;
            }
        }
    }
    auto v = parseNumber(formatFixed(x, decimals, 15));
    return v ? *v : 0.0;
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return negative ? -v : v;
}

std::optional<int> parseInt(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<double> readReading(std::string_view text) {
    std::string s(text);
    if (auto p = s.find('C'); p != std::string::npos) s.erase(p, 1);
    if (auto p = s.find('F'); p != std::string::npos) s.erase(p, 1);
    return parseNumber(s);
}

double parseReading(std::string_view text) {
    if (text.empty()) return 0.0;
    auto v = readReading(text);
    return v ? *v : 0.0;
}

double cellValue(std::string_view text) {
    if (text.empty()) return 0.0;
    auto v = parseNumber(text);
    return v ? *v : 0.0;
}

std::string formatShortest(double x) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

std::string columnLetters(int n) {
    int q = n / 26;
    int r = n % 26;
    char last;
    if (r == 0) {
        last = 'Z';
        if (q > 0) --q;
    } else {
        last = static_cast<char>('A' + r - 1);
    }
    if (q <= 0) return std::string(1, last);
    return std::string(1, static_cast<char>('A' + q - 1)) + last;
}

std::string stationName(int col, int row) { return columnLetters(col) + std::to_string(row); }

}  // namespace tarnwick

#include "core/channels/decimalscale.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace kdw {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// wcstod skips the same white space as iswspace in the C locale.
bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// The characters of a text read from `at` onwards.
struct Scanner
{
    QStringView text;
    qsizetype at = 0;

    bool atOneOf(QStringView chars) const { return at < text.size() && chars.contains(text[at]); }
    bool atDigit() const { return at < text.size() && isDigit(text[at]); }
    bool atSpace() const { return at < text.size() && isSpace(text[at]); }
};

// An optional sign: "-" for a minus, nothing for a plus or no sign.
std::string takeSign(Scanner &s)
{
    if (!s.atOneOf(u"+-"))
        return {};
    return s.text[s.at++] == u'-' ? "-" : "";
}

void skipZeros(Scanner &s)
{
    while (s.atOneOf(u"0"))
        ++s.at;
}

// A run of digits, of which only the first `keep` are kept.
std::string takeDigits(Scanner &s, std::size_t keep = std::string::npos)
{
    std::string digits;
    for (; s.atDigit(); ++s.at) {
        if (digits.size() < keep)
            digits += char(s.text[s.at].unicode());
    }
    return digits;
}

// The digits before and after an optional decimal point, as from_chars reads
// them ("0" for an empty integer part); nothing when there is no digit at all.
std::optional<std::string> takeMantissa(Scanner &s)
{
    // Leading zeros are dropped so that very long runs of them stay cheap.
    const qsizetype start = s.at;
    skipZeros(s);
    bool anyDigit = s.at > start;
    std::string integer = takeDigits(s);
    std::string fraction;
    if (s.atOneOf(u".")) {
        ++s.at;
        fraction = takeDigits(s);
    }
    anyDigit = anyDigit || !integer.empty() || !fraction.empty();
    if (!anyDigit)
        return std::nullopt;
    if (integer.empty())
        integer = "0";
    return fraction.empty() ? integer : integer + '.' + fraction;
}

// "e", its sign and digits; empty when no digit follows the sign, since an
// exponent counts only then.
std::string takeExponent(Scanner &s)
{
    if (!s.atOneOf(u"eE"))
        return {};
    Scanner exponent = s;
    ++exponent.at;
    const std::string sign = takeSign(exponent);
    if (!exponent.atDigit())
        return {};
    skipZeros(exponent);
    // Beyond nine digits the exponent is out of any range already.
    const std::string digits = takeDigits(exponent, 9);
    s = exponent;
    return 'e' + sign + (digits.empty() ? std::string("0") : digits);
}

// What a number beyond the double range stands for: +-infinity when its
// magnitude is too large, +-0.0 when too small.
double outOfRangeValue(const std::string &number)
{
    const auto e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    const long long exp10 = e == std::string::npos ? 0 : std::stoll(number.substr(e + 1));
    const auto intPart = mantissa.substr(0, mantissa.find('.'));
    const bool negative = !intPart.empty() && intPart[0] == '-';
    const auto intDigits = intPart.size() - (negative ? 1 : 0);
    const double magnitude = double(exp10) + double(intDigits);
    const double huge = std::numeric_limits<double>::infinity();
    if (magnitude > 0)
        return negative ? -huge : huge;
    return negative ? -0.0 : 0.0;
}

double toDouble(const std::string &number)
{
    double value = 0.0;
    const char *first = number.data();
    const char *last = first + number.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    // from_chars leaves the value alone when it is out of range.
    if (result.ec == std::errc::result_out_of_range)
        return outOfRangeValue(number);
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

} // namespace

double parseLeadingNumber(QStringView text)
{
    Scanner s{text};
    while (s.atSpace())
        ++s.at;
    const std::string sign = takeSign(s);
    const auto mantissa = takeMantissa(s);
    if (!mantissa)
        return 0.0;
    return toDouble(sign + *mantissa + takeExponent(s));
}

qint64 decimalScale(double value, int decimals)
{
    if (std::isnan(value) || value == 0.0)
        return 0;
    constexpr qint64 maxValue = std::numeric_limits<qint64>::max();
    constexpr qint64 minValue = std::numeric_limits<qint64>::min();
    if (std::isinf(value))
        return value > 0 ? maxValue : minValue;
    // The double as a decimal of 15 significant digits, rounded to nearest:
    // "d.dddddddddddddde+XX".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const bool negative = text[0] == '-';
    const auto e = text.find('e');
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < e; ++k) {
        if (text[k] != '.')
            digits += text[k];
    }
    // value = 0.digits * 10^(exp + 1); scaled, the integer part holds the
    // first (exp + 1 + decimals) digits.
    const long long exp10 = std::stoll(text.substr(e + 1));
    const long long integerDigits = exp10 + 1 + decimals;
    if (integerDigits <= 0)
        return 0;
    if (integerDigits > 19)
        return negative ? minValue : maxValue;
    quint64 magnitude = 0;
    for (long long k = 0; k < integerDigits; ++k) {
        const int digit = k < qsizetype(digits.size()) ? digits[std::size_t(k)] - '0' : 0;
        if (magnitude > (quint64(maxValue) - quint64(digit)) / 10)
            return negative ? minValue : maxValue;
        magnitude = magnitude * 10 + quint64(digit);
    }
    return negative ? -qint64(magnitude) : qint64(magnitude);
}

qint64 decimalScale(QStringView text, int decimals)
{
    return decimalScale(parseLeadingNumber(text), decimals);
}

} // namespace kdw

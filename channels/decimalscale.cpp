#include "channels/decimalscale.h"


#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kdw {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// wcstod skips the same white space as iswspace in the C locale.
bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

} // namespace

double parseLeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    // Leading zeros are dropped so that very long runs of them stay cheap.
    while (i < n && text[i] == u'0') {
        anyDigit = true;
        ++i;
    }
    const auto mantissaStart = number.size();
    while (i < n && isDigit(text[i])) {
        number += char(text[i].unicode());
        anyDigit = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        if (number.size() == mantissaStart)
            number += '0';
        std::string fraction;
        while (i < n && isDigit(text[i])) {
            fraction += char(text[i].unicode());
            anyDigit = true;
            ++i;
        }
        if (!fraction.empty())
            number += '.' + fraction;
    }
    if (!anyDigit)
        return 0.0;
    if (number.size() == mantissaStart)
        number += '0';
    // An exponent counts only when at least one digit follows its sign.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            if (text[j] == u'-')
                exponent += '-';
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            while (j < n && text[j] == u'0')
                ++j;
            std::string digits;
            while (j < n && isDigit(text[j])) {
                // Beyond nine digits the exponent is out of any range already.
                if (digits.size() < 9)
                    digits += char(text[j].unicode());
                ++j;
            }
            exponent += digits.empty() ? std::string("0") : digits;
            number += exponent;
        }
    }
    double value = 0.0;
    const char *first = number.data();
    const char *last = first + number.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; decide between overflow and underflow.
        const auto e = number.find('e');
        const std::string mantissa = number.substr(0, e);
        long long exp10 = e == std::string::npos ? 0 : std::stoll(number.substr(e + 1));
        const auto point = mantissa.find('.');
        const auto intPart = mantissa.substr(0, point);
        const bool negative = !intPart.empty() && intPart[0] == '-';
        const auto intDigits = intPart.size() - (negative ? 1 : 0);
        const double magnitude = double(exp10) + double(intDigits);
        const double huge = std::numeric_limits<double>::infinity();
        if (magnitude > 0)
            return negative ? -huge : huge;
        return negative ? -0.0 : 0.0;
    }
    if (result.ec != std::errc())
        return 0.0;
    return value;
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
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
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

#pragma once

#include <QStringView>
#include <QtGlobal>

namespace kdw {

// Reads the number at the start of `text` as wcstod does: leading white space,
// optional sign, digits, optional decimal point and fraction, optional
// exponent; reading stops at the first character that does not fit. No number
// gives 0.0; an exponent beyond the double range gives +-infinity or 0.0.
// "nan", "inf" and hexadecimal forms are not numbers here.
[[nodiscard]] double parseLeadingNumber(QStringView text);

// Decimal scaling: the number at the start of `text`, rounded to 15
// significant digits, multiplied by 10^decimals exactly and truncated toward
// zero. 462.125 by 10^5 is 46212500, 462.1249999 is 46212499. Results beyond
// the 64-bit range saturate; text without a number gives 0.
[[nodiscard]] qint64 decimalScale(QStringView text, int decimals);

// The same scaling for a double that is already parsed.
[[nodiscard]] qint64 decimalScale(double value, int decimals);

} // namespace kdw

#include "core/image/identification.h"

namespace kdw {

bool isWholeIdentification(const QByteArray &identification)
{
    return identification.size() == IdentificationLength;
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString printableText(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes)
        text += c >= 0x20 && c < 0x7F ? QChar::fromLatin1(c) : u'.';
    return text;
}

QString identificationText(const QByteArray &identification)
{
    return QStringLiteral("\"%1\" (%2)").arg(printableText(identification), hexText(identification));
}

std::optional<QByteArray> parseIdentification(QStringView text)
{
    QString digits = text.trimmed().toString();
    digits.remove(u' ').remove(u':');
    if (digits.size() != qsizetype(2) * IdentificationLength)
        return std::nullopt;
    for (const QChar c : digits) {
        if (!QStringView(u"0123456789abcdefABCDEF").contains(c))
            return std::nullopt;
    }
    return QByteArray::fromHex(digits.toLatin1());
}

bool isOtherRadio(const QByteArray &known, const QByteArray &found)
{
    return isWholeIdentification(known) && found != known;
}

} // namespace kdw

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace kdw {

// The radio's answer to the identification request: 8 bytes naming its model
// and firmware ("KDW417", a version). The protocol goes on whatever comes;
// documents and backups keep it to know the radio they came from. An answer of
// another length names no radio.
inline constexpr int IdentificationLength = 8;

bool isWholeIdentification(const QByteArray &identification);

// "4B 44 57 34 31 37 01 00".
QString hexText(const QByteArray &bytes);
// The printable ASCII of the bytes, '.' for any other: "KDW417..".
QString printableText(const QByteArray &bytes);
// Text and hex, as the transfer dialog and kdw-cli show an identification:
// "\"KDW417..\" (4B 44 57 34 31 37 01 00)".
QString identificationText(const QByteArray &identification);

// Sixteen hex digits, as kdw-cli, the batch log and backups write them
// (spaces and colons between the bytes allowed); nothing for anything else.
std::optional<QByteArray> parseIdentification(QStringView text);

// A write of a document that came from the radio `known` asks before it goes
// to the radio that answered `found`: true when the document knows its radio
// (a whole identification) and `found` is another.
bool isOtherRadio(const QByteArray &known, const QByteArray &found);

} // namespace kdw

#pragma once

#include <QStringView>

// Program.ini: the program's configuration, one section of string values.
// Every reader and writer of the file names its section and keys from here.
namespace kdw::programini {

inline constexpr QStringView FileName = u"Program.ini";
inline constexpr QStringView Section = u"Setup";

// "Eng", "Chs" or "Cht"; anything else starts the program in English.
inline constexpr QStringView Language = u"Language";
// The port of the Port menu ("COM1".."COM8") or a device path.
inline constexpr QStringView Port = u"COM";
// The Program menu's check items, "1" or "0"; another value keeps the default.
inline constexpr QStringView VerifyAfterWrite = u"VerifyAfterWrite";
inline constexpr QStringView BackupBeforeWrite = u"BackupBeforeWrite";
inline constexpr QStringView ResumeAfterFault = u"ResumeAfterFault";

} // namespace kdw::programini

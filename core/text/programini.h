#pragma once

#include <QStringView>

// Program.ini: the program's configuration, sections of string values.
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
inline constexpr QStringView CheckBeforeWrite = u"CheckBeforeWrite";
inline constexpr QStringView WriteChangedOnly = u"WriteChangedOnly";
// File > Print Band Chart: "1" prints the band chart after the channel table.
inline constexpr QStringView PrintBandChart = u"PrintBandChart";
// The View menu's theme: "System", "Light" or "Dark"; anything else is System.
inline constexpr QStringView Theme = u"Theme";

// The main window as it was left: the place and size it has when not
// maximized (screen pixels, its client area), and whether it was maximized.
inline constexpr QStringView WindowSection = u"Window";
inline constexpr QStringView WindowLeft = u"Left";
inline constexpr QStringView WindowTop = u"Top";
inline constexpr QStringView WindowWidth = u"Width";
inline constexpr QStringView WindowHeight = u"Height";
inline constexpr QStringView WindowMaximized = u"Maximized";
// Whether the Check Channels panel was shown, "1" or "0".
inline constexpr QStringView CheckPanel = u"CheckPanel";

// File's recent files, the newest first: File1 .. File4, absolute paths.
inline constexpr QStringView RecentSection = u"Recent";
inline constexpr QStringView RecentFile = u"File";

} // namespace kdw::programini

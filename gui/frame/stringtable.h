#pragma once

#include <QString>

namespace kdw {

// The string table of the language bundle: the English source text of an id,
// translated by the bundle's translation (context "StringTable"). Null for an
// id the table does not hold.
QString loadString(int id);

// A command's status-bar prompt (text before the line break) and tool tip
// (text after it); both empty for commands without a string.
struct CommandStrings
{
    QString prompt;
    QString toolTip;
};
CommandStrings commandStrings(int id);

// Fields of the template string 128: 0 window title, 3 file filter, 4 extension.
QString templateField(int field);

} // namespace kdw

#pragma once

#include <QRect>

#include <optional>

namespace kdw {

class CIniFile;

// The main window's size, place and state, kept in Program.ini from one run
// to the next.
struct WindowPlacement
{
    QRect normal; // client area when not maximized, screen pixels
    bool maximized = false;

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

// The placement Program.ini keeps; none when a value is missing or is no
// whole number, or the size is not one a window can have.
std::optional<WindowPlacement> readWindowPlacement(const CIniFile &file);

// False when Program.ini could not be written.
[[nodiscard]] bool writeWindowPlacement(CIniFile &file, const WindowPlacement &placement);

} // namespace kdw

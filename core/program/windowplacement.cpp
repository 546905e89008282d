#include "core/program/windowplacement.h"

#include "core/text/inifile.h"
#include "core/text/programini.h"

namespace kdw {

namespace {

// Larger than any screen; keeps the arithmetic of a hand-edited file in range.
constexpr int MaxCoordinate = 100000;

std::optional<int> readNumber(const CIniFile &file, QStringView key)
{
    bool ok = false;
    const int value = file.ReadString(programini::WindowSection.toString(), key.toString()).trimmed().toInt(&ok);
    if (!ok || value < -MaxCoordinate || value > MaxCoordinate)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<WindowPlacement> readWindowPlacement(const CIniFile &file)
{
    const auto left = readNumber(file, programini::WindowLeft);
    const auto top = readNumber(file, programini::WindowTop);
    const auto width = readNumber(file, programini::WindowWidth);
    const auto height = readNumber(file, programini::WindowHeight);
    const auto maximized = readNumber(file, programini::WindowMaximized);
    if (!left || !top || !width || !height || !maximized || *width <= 0 || *height <= 0
        || (*maximized != 0 && *maximized != 1))
        return std::nullopt;
    return WindowPlacement{QRect(*left, *top, *width, *height), *maximized == 1};
}

bool writeWindowPlacement(CIniFile &file, const WindowPlacement &placement)
{
    const QString section = programini::WindowSection.toString();
    const std::pair<QStringView, int> values[] = {
        {programini::WindowLeft, placement.normal.left()},
        {programini::WindowTop, placement.normal.top()},
        {programini::WindowWidth, placement.normal.width()},
        {programini::WindowHeight, placement.normal.height()},
        {programini::WindowMaximized, placement.maximized ? 1 : 0},
    };
    bool written = true;
    for (const auto &[key, value] : values)
        written = file.WriteString(section, key.toString(), QString::number(value)) && written;
    return written;
}

} // namespace kdw

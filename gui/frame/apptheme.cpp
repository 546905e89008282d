#include "gui/frame/apptheme.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <memory>
#include <optional>

namespace kdw {

namespace {

// The selection, with white text on it in both palettes.
const QColor SelectionBlue(0x1d, 0x5f, 0xae);

// The desktop's style and palette, as they were before the first theme of the
// program's own replaced them.
struct DesktopLook
{
    QString style;
    QPalette palette;
};

// Kept when a theme of the program's own is first applied; until then the
// desktop's look is left alone, so that it follows the desktop's changes.
std::optional<DesktopLook> &desktopLook()
{
    static std::optional<DesktopLook> look;
    return look;
}

void setColours(QPalette &palette, QPalette::ColorGroup group, const QColor &window, const QColor &base,
                const QColor &text)
{
    palette.setColor(group, QPalette::Window, window);
    palette.setColor(group, QPalette::Button, window);
    palette.setColor(group, QPalette::Base, base);
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::ButtonText, text);
    palette.setColor(group, QPalette::Text, text);
}

} // namespace

QPalette lightPalette()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = fusion->standardPalette();
    // Fusion greys disabled text to a contrast of about 1.6 on its grey, too
    // faint to read; this grey keeps it distinct and readable.
    const QColor disabledText(0x70, 0x70, 0x70);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, disabledText);
    // White on Fusion's highlight is 3.7:1; this deeper blue gives 6.4:1.
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Highlight, SelectionBlue);
    return palette;
}

QPalette darkPalette()
{
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x24, 0x24, 0x24);
    const QColor text(0xe8, 0xe8, 0xe8);
    QPalette palette;
    for (auto group : {QPalette::Active, QPalette::Inactive})
        setColours(palette, group, window, base, text);
    setColours(palette, QPalette::Disabled, window, QColor(0x2e, 0x2e, 0x2e), QColor(0x9a, 0x9a, 0x9a));
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::AlternateBase, QColor(0x2e, 0x2e, 0x2e));
        palette.setColor(group, QPalette::ToolTipBase, QColor(0x42, 0x42, 0x42));
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
        palette.setColor(group, QPalette::BrightText, Qt::white);
        palette.setColor(group, QPalette::Light, QColor(0x4a, 0x4a, 0x4a));
        palette.setColor(group, QPalette::Midlight, QColor(0x40, 0x40, 0x40));
        palette.setColor(group, QPalette::Mid, QColor(0x2a, 0x2a, 0x2a));
        palette.setColor(group, QPalette::Dark, QColor(0x1e, 0x1e, 0x1e));
        palette.setColor(group, QPalette::Shadow, QColor(0x12, 0x12, 0x12));
        palette.setColor(group, QPalette::Link, QColor(0x7a, 0xb4, 0xf0));
        palette.setColor(group, QPalette::LinkVisited, QColor(0xb4, 0x9a, 0xf0));
    }
    palette.setColor(QPalette::Active, QPalette::Highlight, SelectionBlue);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0x3c, 0x4a, 0x5c));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x45, 0x45, 0x45));
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, QColor(0x9a, 0x9a, 0x9a));
    return palette;
}

void applyTheme(Theme theme)
{
    std::optional<DesktopLook> &desktop = desktopLook();
    if (theme == Theme::System) {
        if (!desktop)
            return;
        if (QApplication::style()->name() != desktop->style)
            QApplication::setStyle(desktop->style);
        QApplication::setPalette(desktop->palette);
        return;
    }
    if (!desktop)
        desktop = DesktopLook{QApplication::style()->name(), QApplication::palette()};
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(theme == Theme::Dark ? darkPalette() : lightPalette());
}

} // namespace kdw

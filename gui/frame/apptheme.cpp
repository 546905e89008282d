#include "gui/frame/apptheme.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

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

namespace {

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QPalette paletteOf(const QStyleOption *option, const QWidget *widget)
{
    if (option)
        return option->palette;
    return widget ? widget->palette() : QApplication::palette();
}

// Fusion with the focus always shown, in a colour that stands out on either
// palette, the rings of check boxes and radio buttons in a grey that can be
// made out, and on the dark palette the close buttons' cross in the text's
// colour: Fusion waits for a key before it shows the focus, draws the rings
// in a shade of the window's grey and the cross in black.
class ThemeStyle : public QProxyStyle
{
public:
    ThemeStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
        setObjectName(QStringLiteral("ThemeStyle"));
    }

    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        // A control with the focus shows it from the first, not only once a
        // key has moved it.
        if (widget->isWindow())
            widget->setAttribute(Qt::WA_KeyboardFocusChange);
    }
    using QProxyStyle::polish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        switch (element) {
        case PE_FrameFocusRect: drawFocusFrame(option->rect.adjusted(0, 0, -1, -1), option->palette, painter); return;
        case PE_FrameLineEdit:
        case PE_IndicatorCheckBox:
        case PE_IndicatorRadioButton: break;
        default: QProxyStyle::drawPrimitive(element, option, painter, widget); return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_FrameLineEdit) {
            if ((option->state & State_HasFocus) && isDark(option->palette))
                drawFocusFrame(option->rect.adjusted(1, 1, -2, -2), option->palette, painter);
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        // The disabled text's grey, 4:1 or more on the window: Fusion's ring
        // has 1.3:1 on the dark window, 2.2:1 on the light one.
        painter->setPen(QPen(option->palette.color(QPalette::Disabled, QPalette::WindowText), 1));
        painter->setBrush(Qt::NoBrush);
        const QRectF ring = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (element == PE_IndicatorRadioButton)
            painter->drawEllipse(ring);
        else
            painter->drawRoundedRect(ring, 1, 1);
        painter->restore();
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        const QPalette palette = paletteOf(option, widget);
        if ((icon != SP_TitleBarCloseButton && icon != SP_DockWidgetCloseButton) || !isDark(palette))
            return QProxyStyle::standardIcon(icon, option, widget);
        QIcon cross;
        for (const int size : {10, 16, 20, 32}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(
                QPen(palette.color(QPalette::WindowText), qMax(1.0, size / 8.0), Qt::SolidLine, Qt::RoundCap));
            const qreal margin = size / 4.0;
            painter.drawLine(QPointF(margin, margin), QPointF(size - margin, size - margin));
            painter.drawLine(QPointF(size - margin, margin), QPointF(margin, size - margin));
            painter.end();
            cross.addPixmap(pixmap);
        }
        return cross;
    }

private:
    static void drawFocusFrame(const QRect &rect, const QPalette &palette, QPainter *painter)
    {
        painter->save();
        const QColor colour = isDark(palette) ? palette.color(QPalette::Link) : palette.color(QPalette::Highlight);
        painter->setPen(QPen(colour, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect);
        painter->restore();
    }
};

} // namespace

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
    // A new style each time, so every window takes the theme's icons anew.
    QApplication::setStyle(new ThemeStyle);
    QApplication::setPalette(theme == Theme::Dark ? darkPalette() : lightPalette());
}

} // namespace kdw

#include "gui/dialogs/messagebox.h"

#include "core/program/globals.h"

#include <QGridLayout>
#include <QSpacerItem>

namespace kdw {

namespace {
MessageHook &hook()
{
    static MessageHook h;
    return h;
}
} // namespace

QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return messageBox(parent, ApplicationTitle.toString(), text, icon, buttons, defaultButton);
}

QMessageBox::StandardButton messageBox(QWidget *parent, const QString &caption, const QString &text,
                                       QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    if (hook())
        return hook()(text, icon, buttons, defaultButton);
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // Wide enough for the caption beside the title bar's buttons, which the
    // box does not count when it sizes itself to its text.
    const int captionWidth = box.fontMetrics().horizontalAdvance(caption) * 5 / 4 + 160;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    const auto answer = QMessageBox::StandardButton(box.exec());
    // The keys go back to the window the box belongs to.
    if (parent)
        parent->window()->activateWindow();
    return answer;
}

void setMessageHook(MessageHook h)
{
    hook() = std::move(h);
}

} // namespace kdw

#include "ui/messagebox.h"

#include "app/globals.h"

namespace kdw {

namespace {
MessageHook &hook()
{
    static MessageHook h;
    return h;
}
} // namespace

QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons)
{
    return messageBox(parent, ApplicationTitle.toString(), text, icon, buttons);
}

QMessageBox::StandardButton messageBox(QWidget *parent, const QString &caption, const QString &text,
                                       QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    if (hook())
        return hook()(text, icon, buttons);
    QMessageBox box(icon, caption, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void setMessageHook(MessageHook h)
{
    hook() = std::move(h);
}

} // namespace kdw

#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace kdw {

// Every message the program shows goes through here: an application-modal box
// with the caption "KDW PC Encoder". Tests replace the box with a hook that
// records the text and answers. `defaultButton` is the one Enter presses
// (NoButton: the box's own choice).
using MessageHook = std::function<QMessageBox::StandardButton(const QString &text, QMessageBox::Icon icon,
                                                              QMessageBox::StandardButtons buttons,
                                                              QMessageBox::StandardButton defaultButton)>;

QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text,
                                       QMessageBox::Icon icon = QMessageBox::Warning,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The same with a caption of the caller's own in place of the title.
QMessageBox::StandardButton messageBox(QWidget *parent, const QString &caption, const QString &text,
                                       QMessageBox::Icon icon = QMessageBox::NoIcon,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Installs a hook (tests); an empty hook restores the real box.
void setMessageHook(MessageHook hook);

} // namespace kdw

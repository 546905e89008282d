#include "gui/dialogs/aboutdlg.h"

#include <QLabel>

namespace kdw {

CAboutDlg::CAboutDlg(QWidget *parent)
    : CTemplateDialog(100, parent)
{
    // An icon control takes the size of its icon, whatever the template says;
    // on a high-density screen the icon is the one drawn at twice the size.
    if (auto *icon = findChild<QLabel *>(QStringLiteral("icon")); icon && !icon->pixmap().isNull())
        icon->resize(icon->pixmap().deviceIndependentSize().toSize());
}

} // namespace kdw

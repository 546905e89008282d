#include "gui/dialogs/aboutdlg.h"

#include <QLabel>

namespace kdw {

CAboutDlg::CAboutDlg(QWidget *parent)
    : CTemplateDialog(100, parent)
{
    // An icon control takes the size of its icon, whatever the template says.
    if (auto *icon = findChild<QLabel *>(QStringLiteral("icon")); icon && !icon->pixmap().isNull())
        icon->resize(icon->pixmap().size());
}

} // namespace kdw

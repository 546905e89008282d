#pragma once

#include "gui/dialogs/dialogtemplate.h"

namespace kdw {

// The About box (template 100): icon, version line, notice and OK. OK,
// Enter, Escape and the close box close it; it changes nothing.
class CAboutDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace kdw

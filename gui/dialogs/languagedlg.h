#pragma once

#include "core/text/language.h"
#include "gui/dialogs/dialogtemplate.h"

#include <QtGlobal>

class QComboBox;

namespace kdw {

// The Language dialog (template 162): the three languages in the running
// language, the running one selected.
class CLanguageDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    explicit CLanguageDlg(Language language, QWidget *parent = nullptr);

    Language m_nLanguage = Language::Eng;

    // OK: the selected language; English when nothing is selected.
    void accept() override;

private:
    void OnInitDialog(Language language);

    QComboBox *m_comboLanguage = nullptr;
};

} // namespace kdw

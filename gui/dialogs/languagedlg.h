#pragma once

#include "core/text/language.h"
#include "gui/dialogs/dialogtemplate.h"

#include <QtGlobal>

class QComboBox;

namespace kdw {

struct AppContext;
class DocumentCommands;

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

// The Language command: on a new choice, asks whether to save a modified
// document (Cancel keeps everything as it is), stores the choice and the
// port in the context's Program.ini, starts the program again and quits.
void runLanguageCommand(QWidget *owner, DocumentCommands &documents, const AppContext &context);

} // namespace kdw

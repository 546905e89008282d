#pragma once

#include "gui/dialogs/dialogtemplate.h"

#include <QtGlobal>

class QComboBox;

namespace kdw {

struct AppContext;
class DocumentCommands;

// The Language dialog (template 162): the three languages in the running
// language, the running one selected. The chosen position is the language
// index.
class CLanguageDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    explicit CLanguageDlg(quint8 languageIndex, QWidget *parent = nullptr);

    quint8 m_nLanguage = 0;

    // OK: the selected position, 0 when nothing is selected.
    void accept() override;

private:
    void OnInitDialog(quint8 languageIndex);

    QComboBox *m_comboLanguage = nullptr;
};

// The Language command: on a new choice, asks whether to save a modified
// document (Cancel keeps everything as it is), stores the choice and the
// port in the context's Program.ini, starts the program again and quits.
void runLanguageCommand(QWidget *owner, DocumentCommands &documents, const AppContext &context);

} // namespace kdw

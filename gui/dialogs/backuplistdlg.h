#pragma once

#include "core/image/backups.h"
#include "core/text/language.h"
#include "gui/dialogs/dialogtemplate.h"

namespace kdw {

// File > Open Backup (template 178): the backups of the radio in the backup
// folder, the newest first, each with the time it was made, what made it and
// the radio it came from;
// Open (Enter, a double-click) takes the selected one. Other File... leaves
// the choice to the file dialog, for a file the list does not show.
class CBackupListDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    CBackupListDlg(const QList<BackupEntry> &backups, Language language, QWidget *parent = nullptr);

    // After Open: the backup chosen. After Other File...: empty.
    QString chosenPath() const { return m_chosen; }
    // True when the dialog ended with Other File...
    bool otherFile() const { return m_otherFile; }

    void accept() override;

private:
    QList<BackupEntry> m_backups;
    QString m_chosen;
    bool m_otherFile = false;
};

} // namespace kdw

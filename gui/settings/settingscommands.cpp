#include "gui/settings/settingscommands.h"

#include "core/image/programdoc.h"
#include "gui/frame/documenthistory.h"
#include "gui/settings/settingsdialog.h"

namespace kdw {

SettingsCommands::SettingsCommands(CProgramDoc &doc, DocumentHistory &history, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_history(history)
    , m_window(window)
{
}

template <typename Dialog>
void SettingsCommands::run()
{
    const MemoryImage before = m_doc.image();
    bool changed = false;
    {
        Dialog dialog(m_doc.image(), m_doc.language(), m_window);
        dialog.exec();
        changed = dialog.changedByUser();
    }
    // The keys go back to the main window, not to whatever the system picks.
    m_window->activateWindow();
    // A dialog only looked at still stores its settings as it showed them
    // (a fallback item in place of a value out of range); that goes into the
    // image, but is no step to undo and leaves the document unmodified.
    if (changed)
        m_history.record(before);
}

void SettingsCommands::OnOption()
{
    run<COptionDlg>();
}
void SettingsCommands::OnPttId()
{
    run<CPttIdDlg>();
}
void SettingsCommands::OnEmbed()
{
    run<CPcbaDlg>();
}

} // namespace kdw

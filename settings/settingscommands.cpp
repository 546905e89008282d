#include "settings/settingscommands.h"

#include "image/programdoc.h"
#include "settings/settingsdialog.h"

namespace kdw {

SettingsCommands::SettingsCommands(CProgramDoc &doc, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_window(window)
{
}

template <typename Dialog> void SettingsCommands::run()
{
    const QByteArray before = m_doc.image().bytes();
    {
        Dialog dialog(m_doc.image(), m_window);
        dialog.exec();
    }
    if (m_doc.image().bytes() != before)
        m_doc.SetModifiedFlag();
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

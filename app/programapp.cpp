#include "app/programapp.h"

#include "app/globals.h"
#include "app/startup.h"
#include "channels/programview.h"
#include "image/programdoc.h"
#include "ui/aboutdlg.h"
#include "ui/commandtable.h"
#include "ui/documentcommands.h"
#include "ui/mainframe.h"
#include "ui/messagebox.h"

#include <QCoreApplication>

namespace kdw {

CProgramApp::CProgramApp(QString programDirectory)
    : m_programDirectory(std::move(programDirectory))
{
}

CProgramApp::~CProgramApp() = default;

bool CProgramApp::InitInstance(const QStringList &arguments)
{
    // The program directory comes from the executable's own path, never from
    // the current directory.
    setProgramDirectory(m_programDirectory.isEmpty()
                            ? programDirectoryOf(QCoreApplication::applicationFilePath())
                            : m_programDirectory);
    const QString code = readStartupConfiguration();
    if (!m_languageBundle.load(programDirectory(), code)) {
        messageBox(nullptr, BundleLoadFailed.text());
        return false;
    }

    m_doc = std::make_unique<CProgramDoc>();
    m_pMainWnd = std::make_unique<CMainFrame>();
    m_commands = new DocumentCommands(*m_doc, m_pMainWnd.get());
    m_view = new CProgramView(*m_doc, *m_commands, m_pMainWnd.get());
    m_pMainWnd->setCentralWidget(m_view);
    m_pMainWnd->setCloseGuard([this] { return m_commands->SaveModified(); });
    bindCommands(*this);

    const QString file = arguments.value(1);
    if (file.isEmpty())
        m_doc->OnNewDocument();
    else if (!m_commands->OpenDocumentFile(file))
        return false;

    m_pMainWnd->show();
    m_pMainWnd->raise();
    m_pMainWnd->activateWindow();
    return true;
}

int CProgramApp::ExitInstance(int exitCode)
{
    writeExitConfiguration();
    return exitCode;
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg aboutDlg(m_pMainWnd.get());
    aboutDlg.exec();
}

} // namespace kdw

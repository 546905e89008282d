#include "app/programapp.h"

#include "app/commandtable.h"
#include "core/image/programdoc.h"
#include "core/program/globals.h"
#include "core/program/startup.h"
#include "core/program/theme.h"
#include "core/program/windowplacement.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/aboutdlg.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/apptheme.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenttitle.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"

#include <QApplication>

namespace kdw {

CProgramApp::CProgramApp(QString programDirectory)
    : m_context{std::move(programDirectory), Language::Eng, configFile(), {}}
{
}

CProgramApp::~CProgramApp() = default;

bool CProgramApp::InitInstance(const QStringList &arguments)
{
    // The program directory comes from the executable's own path, never from
    // the current directory.
    if (m_context.programDirectory.isEmpty())
        m_context.programDirectory = programDirectoryOf(QCoreApplication::applicationFilePath());
    setProgramDirectory(m_context.programDirectory);
    const StartupConfiguration startup = readStartupConfiguration();
    m_context.language = startup.language;
    m_context.port = startup.port;
    if (!m_languageBundle.load(m_context.programDirectory, startup.languageText)) {
        messageBox(nullptr, BundleLoadFailed.text(startup.language));
        return false;
    }

    applyTheme(readTheme(m_context.config));

    // While the main window is built, another thread looks up the stand-ins
    // for the characters its fonts lack: the window's own font (menus, status
    // bar), then the form template's (Arial), then the grid's; and it measures
    // the dialog units the form is laid out in.
    const QString sample = m_context.language == Language::Eng ? QStringLiteral("A") : QStringLiteral("A中");
    const QString formFont = QStringLiteral("Arial,8");
    CMSFlexGrid::measureFontAhead({QApplication::font().toString(), formFont}, sample, [formFont] {
        QFont font; // made on the thread that measures it, as the thread's fonts are
        if (font.fromString(formFont))
            measureDialogUnits(font);
    });
    m_doc = std::make_unique<CProgramDoc>(m_image, m_context.programDirectory, m_context.language);
    m_pMainWnd = std::make_unique<CMainFrame>();
    m_commands = new DocumentCommands(*m_doc, m_pMainWnd.get());
    m_view = new CProgramView(*m_doc, *m_commands, m_pMainWnd.get());
    m_pMainWnd->setCentralWidget(m_view);
    m_pMainWnd->setCloseGuard([this] { return m_commands->SaveModified(); });
    showDocumentInTitle(m_pMainWnd.get(), *m_doc);
    bindCommands({*m_pMainWnd, *m_doc, *m_view, *m_commands, m_context});
    m_pMainWnd->bindCommand(cmd::AppAbout, this, &CProgramApp::OnAppAbout);

    // A file that cannot be opened ends the program; one the user chose not
    // to open (too long to be a channel data file) leaves a new document.
    const QString file = arguments.value(1);
    const auto opened = file.isEmpty() ? DocumentCommands::OpenResult::Declined : m_commands->OpenDocumentFile(file);
    if (opened == DocumentCommands::OpenResult::Failed)
        return false;
    if (opened == DocumentCommands::OpenResult::Declined)
        m_doc->OnNewDocument();

    if (const auto kept = readWindowPlacement(m_context.config))
        m_pMainWnd->restorePlacement(*kept);
    m_pMainWnd->show();
    m_pMainWnd->raise();
    m_pMainWnd->activateWindow();
    m_shown = true;
    return true;
}

int CProgramApp::ExitInstance(int exitCode)
{
    writeExitConfiguration(m_context.port);
    if (m_shown)
        (void)writeWindowPlacement(m_context.config, m_pMainWnd->placement());
    return exitCode;
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg aboutDlg(m_pMainWnd.get());
    aboutDlg.exec();
}

} // namespace kdw

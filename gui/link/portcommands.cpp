#include "gui/link/portcommands.h"

#include "core/link/portnames.h"
#include "core/link/serialdevices.h"
#include "core/program/appcontext.h"
#include "core/program/globals.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"
#include "gui/frame/commandids.h"
#include "gui/frame/mainframe.h"
#include "gui/frame/stringtable.h"
#include "gui/link/cablecheckdlg.h"
#include "gui/link/choosedevicedlg.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace kdw {

PortCommands::PortCommands(AppContext &context, CMainFrame &frame)
    : QObject(&frame)
    , m_context(context)
    , m_frame(frame)
{
    for (int id = cmd::Com1; id <= cmd::Com8; ++id) {
        QAction *a = frame.action(id);
        a->setCheckable(true);
        const QString name = QStringLiteral("COM%1").arg(id - cmd::Com1 + 1);
        frame.bindCommand(id, this, [this, name] { choosePort(name); });
    }
    frame.bindCommand(cmd::ChooseDevice, this, &PortCommands::OnChooseDevice);
    frame.bindCommand(cmd::CheckCable, this, &PortCommands::OnCheckCable);
    // What a COMn item opens changes as adapters come and go: looked at
    // each time the menu opens.
    for (QObject *menu : frame.action(cmd::Com1)->associatedObjects()) {
        if (auto *portMenu = qobject_cast<QMenu *>(menu))
            connect(portMenu, &QMenu::aboutToShow, this, &PortCommands::refreshPortTips);
    }
    m_portLabel = new QLabel(frame.statusBar());
    m_portLabel->setObjectName(QStringLiteral("portDevice"));
    frame.statusBar()->insertPermanentWidget(0, m_portLabel);
    refreshPortTips();
    showPort();
    watchDevices();
}

void PortCommands::setSystemRoots(const SystemRoots &roots)
{
    m_roots = roots;
    refreshPortTips();
    watchDevices();
}

void PortCommands::watchDevices()
{
    delete m_devices;
    // The status bar names the device the port opens now: a cable plugged
    // elsewhere or a link moved shows at once, not when the menu next opens.
    m_devices = new QFileSystemWatcher(this);
    for (const QString &folder : {m_roots.dev, QDir(m_context.programDirectory).filePath(QStringLiteral("ports"))}) {
        if (QFileInfo(folder).isDir())
            m_devices->addPath(folder);
    }
    connect(m_devices, &QFileSystemWatcher::directoryChanged, this, &PortCommands::showPort);
}

void PortCommands::choosePort(const QString &port)
{
    m_context.port = port;
    showPort();
}

void PortCommands::showPort()
{
    // The check marks follow the port name, compared with regard to case:
    // "com1" in Program.ini checks no item.
    for (int id = cmd::Com1; id <= cmd::Com8; ++id)
        m_frame.action(id)->setChecked(m_context.port == QStringLiteral("COM%1").arg(id - cmd::Com1 + 1));
    if (m_context.port.isEmpty()) {
        m_portLabel->clear();
        return;
    }
    // The device itself, not the long stable name that reached it: the bar
    // also carries the prompts. The port as stored is in the tip.
    const QString device = devicePathIn(m_roots, m_context.port, m_context.programDirectory);
    const QString real = QFileInfo(device).canonicalFilePath();
    const QString summary
        = portSummary(real.isEmpty() ? device : real, m_context.programDirectory, m_context.language, m_roots);
    m_portLabel->setText(comPortNumber(m_context.port) != 0 ? m_context.port + QStringLiteral(": ") + summary
                                                            : summary);
    m_portLabel->setToolTip(m_context.port);
}

void PortCommands::refreshPortTips()
{
    for (int id = cmd::Com1; id <= cmd::Com8; ++id) {
        const QString name = QStringLiteral("COM%1").arg(id - cmd::Com1 + 1);
        const QString summary = portSummary(name, m_context.programDirectory, m_context.language, m_roots);
        QAction *a = m_frame.action(id);
        a->setStatusTip(commandStrings(id).prompt + QStringLiteral(": ") + summary);
        a->setToolTip(summary);
    }
    showPort();
}

void PortCommands::OnChooseDevice()
{
    CChooseDeviceDlg dialog(&m_frame, m_context.language,
                            devicePathIn(m_roots, m_context.port, m_context.programDirectory), m_roots);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return;
    choosePort(dialog.chosen());
    // Kept at once: the next start opens the same adapter.
    (void)m_context.config.WriteString(programini::Section.toString(), programini::Port.toString(), m_context.port);
}

void PortCommands::OnCheckCable()
{
    // The check opens the port: no transfer may run beside it.
    const BusyGuard busy;
    if (!busy)
        return;
    CCableCheckDlg dialog(&m_frame, m_context.port, m_context.programDirectory, m_context.language, m_roots);
    dialog.exec();
    m_frame.activateWindow();
    showPort();
}

} // namespace kdw

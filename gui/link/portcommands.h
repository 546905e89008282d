#pragma once

#include "core/link/serialdevices.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QLabel;

namespace kdw {

struct AppContext;
class CMainFrame;

// The Port menu and the cable check: the eight COMn items with what each
// opens now in its tips, Choose Device..., the chosen device in the status
// bar, and Program > Check Cable and Radio...
class PortCommands : public QObject
{
    Q_OBJECT

public:
    PortCommands(AppContext &context, CMainFrame &frame);

    // Makes `port` the port of the transfers: a COMn item, or a device chosen
    // by its path or stable name.
    void choosePort(const QString &port);
    void OnChooseDevice();
    void OnCheckCable();

    // The COMn items' status and tool tips say what each opens now.
    void refreshPortTips();
    // Where devices are looked up: the live system unless a made-up tree is
    // given (the tests).
    void setSystemRoots(const SystemRoots &roots);
    QLabel *portLabel() const { return m_portLabel; }

private:
    void showPort();
    // The device folder and the program's ports folder, looked at again
    // whenever a device or a link comes or goes.
    void watchDevices();

    AppContext &m_context;
    CMainFrame &m_frame;
    SystemRoots m_roots;
    QLabel *m_portLabel = nullptr;
    QFileSystemWatcher *m_devices = nullptr;
};

} // namespace kdw

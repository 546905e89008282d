#pragma once

#include "core/link/serialdevices.h"
#include "core/text/language.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QTableWidget;
class QTimer;

namespace kdw {

// Port > Choose Device...: the USB serial adapters present, with the device,
// the adapter and its stable name, looked at again every second so that an
// adapter plugged in meanwhile appears. The choice is the stable name when
// udev made one (it survives another USB socket), else the device path.
class CChooseDeviceDlg : public QDialog
{
    Q_OBJECT

public:
    CChooseDeviceDlg(QWidget *parent, Language language, const QString &current, SystemRoots roots = {});

    QString chosen() const;
    QTableWidget *table() const { return m_table; }

    // Lists the adapters again; the selection stays on the same device.
    void refresh();

private:
    void updateButtons();

    const Language m_language;
    const SystemRoots m_roots;
    QList<SerialDevice> m_devices;
    QLabel *m_empty = nullptr;
    QTableWidget *m_table = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace kdw

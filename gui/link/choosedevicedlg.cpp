#include "gui/link/choosedevicedlg.h"

#include "core/text/localisedtext.h"
#include "gui/dialogs/dialogtemplate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kdw {

namespace {
constexpr LocalisedText CaptionText{u"Choose Device", u"选择设备", u"選擇裝置"};
constexpr LocalisedText ListText{u"The serial adapters present. The program opens the one you choose.",
                                 u"现有的串口转换器。程序将打开您选择的那个。",
                                 u"現有的連接埠轉換器。程式將開啟您選擇的那個。"};
constexpr LocalisedText EmptyText{u"No USB serial adapter is present: plug the cable in and it appears here.",
                                  u"没有 USB 串口转换器：插上数据线后它会出现在这里。",
                                  u"沒有 USB 連接埠轉換器：插上傳輸線後它會出現在這裡。"};
constexpr LocalisedText DeviceHeading{u"Device", u"设备", u"裝置"};
constexpr LocalisedText AdapterHeading{u"Adapter", u"转换器", u"轉換器"};
constexpr LocalisedText StableNameHeading{u"Stable name", u"固定名称", u"固定名稱"};

constexpr int RefreshMs = 1000;

QString nameOf(const SerialDevice &device)
{
    return device.byId.isEmpty() ? device.path : device.byId;
}
} // namespace

CChooseDeviceDlg::CChooseDeviceDlg(QWidget *parent, Language language, const QString &current, SystemRoots roots)
    : QDialog(parent)
    , m_language(language)
    , m_roots(std::move(roots))
{
    setObjectName(QStringLiteral("CChooseDeviceDlg"));
    setWindowTitle(CaptionText.text(m_language));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(ListText.text(m_language), this);
    label->setWordWrap(true);
    layout->addWidget(label);
    m_empty = new QLabel(EmptyText.text(m_language), this);
    m_empty->setObjectName(QStringLiteral("empty"));
    m_empty->setWordWrap(true);
    layout->addWidget(m_empty);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("devices"));
    m_table->setHorizontalHeaderLabels(
        {DeviceHeading.text(m_language), AdapterHeading.text(m_language), StableNameHeading.text(m_language)});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Stable names run long: one line each, shortened in the middle, whole
    // in the cell's tip.
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideMiddle);
    nameByLabel(m_table, label);
    layout->addWidget(m_table);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CChooseDeviceDlg::updateButtons);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(m_buttons);

    refresh();
    // The current port's device starts selected.
    for (int row = 0; row < m_devices.size(); ++row) {
        const SerialDevice &device = m_devices.at(row);
        if (current == device.path || current == device.byId)
            m_table->selectRow(row);
    }
    updateButtons();
    m_timer = new QTimer(this);
    m_timer->setInterval(RefreshMs);
    connect(m_timer, &QTimer::timeout, this, &CChooseDeviceDlg::refresh);
    m_timer->start();
    resize(900, 300);
}

QString CChooseDeviceDlg::chosen() const
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_devices.size() || m_table->selectedItems().isEmpty())
        return {};
    return nameOf(m_devices.at(row));
}

void CChooseDeviceDlg::refresh()
{
    const QList<SerialDevice> devices = usbSerialDevices(m_roots);
    const auto same = [](const QList<SerialDevice> &a, const QList<SerialDevice> &b) {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a.at(i).path != b.at(i).path || a.at(i).byId != b.at(i).byId || a.at(i).adapter() != b.at(i).adapter())
                return false;
        }
        return true;
    };
    if (same(devices, m_devices) && m_table->rowCount() == devices.size())
        return;
    const QString selected = chosen();
    m_devices = devices;
    m_table->clearSelection();
    m_table->setRowCount(int(m_devices.size()));
    for (int row = 0; row < m_devices.size(); ++row) {
        const SerialDevice &device = m_devices.at(row);
        const QString cells[] = {device.path, device.adapter(), device.byId};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            m_table->setItem(row, column, item);
        }
        if (!selected.isEmpty() && nameOf(device) == selected)
            m_table->selectRow(row);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_empty->setVisible(m_devices.isEmpty());
    updateButtons();
}

void CChooseDeviceDlg::updateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosen().isEmpty());
}

} // namespace kdw

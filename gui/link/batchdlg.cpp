#include "gui/link/batchdlg.h"

#include "core/image/backups.h"
#include "core/image/identification.h"
#include "core/link/batchworker.h"
#include "core/link/serialdevices.h"
#include "core/link/transfermessages.h"
#include "core/settings/unitvariations.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/messagebox.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QUrl>

namespace kdw {

namespace {

constexpr LocalisedText UnitStepText{u"Radio %1: %2…", u"第 %1 台：%2…", u"第 %1 台：%2…"};
constexpr LocalisedText ConnectNextText{u"Connect radio %1, switch it on and press Next.",
                                        u"请连接第 %1 台对讲机，打开电源后按“下一台”。",
                                        u"請連接第 %1 台對講機，開啟電源後按「下一台」。"};
constexpr LocalisedText MismatchQuestion{
    u"Radio %1 answers the identification %2; the first radio answered %3. It may be another model or firmware.\n"
    u"Write it all the same? No skips it, and its row of variations goes to the next radio.",
    u"第 %1 台对讲机的识别码为 %2，第一台为 %3，可能是其他型号或固件。\n"
    u"仍然写入吗？选“否”则跳过该台，它的那一行设置留给下一台。",
    u"第 %1 台對講機的識別碼為 %2，第一台為 %3，可能是其他型號或韌體。\n"
    u"仍然寫入嗎？選「否」則跳過該台，它的那一列設定留給下一台。"};
constexpr LocalisedText VariationsRefusedText{u"The variations file cannot be used; no radio was touched.\n%1",
                                              u"无法使用每台设置文件；没有写入任何对讲机。\n%1",
                                              u"無法使用每台設定檔案；沒有寫入任何對講機。\n%1"};
constexpr LocalisedText VariationsCaption{u"Variations File", u"每台设置文件", u"每台設定檔案"};
constexpr LocalisedText FinishedText{u"The run is over.", u"批量写频已结束。", u"批次寫頻已結束。"};
constexpr LocalisedText StoppedText{u"The run was stopped.", u"批量写频已停止。", u"批次寫頻已停止。"};
constexpr LocalisedText LogRowText{u"A row of the log could not be written; the run ends here.\n%1",
                                   u"无法写入日志的一行；批量写频到此结束。\n%1",
                                   u"無法寫入記錄的一列；批次寫頻到此結束。\n%1"};
constexpr LocalisedText WaitingText{u"%1…", u"%1…", u"%1…"};
constexpr LocalisedText NoPortText{u"Check the port of at least one cable.", u"请至少勾选一条数据线的串口。",
                                   u"請至少勾選一條傳輸線的連接埠。"};
constexpr LocalisedText StopBackupQuestion{u"Stop the backup read? The radio has not been written and stays as it is.",
                                           u"要停止备份读取吗？对讲机尚未写入，保持原样。",
                                           u"要停止備份讀取嗎？對講機尚未寫入，保持原樣。"};
constexpr LocalisedText StopVerifyQuestion{u"Stop the verify? The radio is written but will be logged as not verified.",
                                           u"要停止校验吗？对讲机已写入，但将记录为未校验。",
                                           u"要停止校驗嗎？對講機已寫入，但將記錄為未校驗。"};
constexpr LocalisedText LogText{u"Log: %1", u"日志：%1", u"記錄：%1"};

constexpr LocalisedList<5> Headings{{
    {u"Radio", u"序号", u"序號"},
    {u"Port", u"串口", u"連接埠"},
    {u"Identification", u"识别码", u"識別碼"},
    {u"Result", u"结果", u"結果"},
    {u"Time", u"时间", u"時間"},
}};

constexpr LocalisedText NoFileManagerText{u"No file manager could be started. The log is in the folder %1",
                                          u"无法启动文件管理器。日志位于文件夹 %1",
                                          u"無法啟動檔案管理員。記錄位於資料夾 %1"};

} // namespace

CBatchDlg::CBatchDlg(QWidget *parent, const MemoryImage &document, TransferLink link, int maxResumes)
    : CTemplateDialog(170, parent)
    , m_document(document)
    , m_link(std::move(link))
    , m_maxResumes(maxResumes)
{
    setObjectName(QStringLiteral("CBatchDlg"));
    const Language language = m_link.language;
    if (auto *table = item<QTableWidget>(ctl::batch::Units)) {
        table->setColumnCount(int(Headings.size()));
        table->setHorizontalHeaderLabels(itemsIn(Headings, language));
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
        // The identification (16 hex digits) whole; the result takes the room left.
        QHeaderView *header = table->horizontalHeader();
        for (int c : {0, 1, 2, 4})
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(3, QHeaderView::Stretch);
        if (auto *label = item<QLabel>(ctl::batch::UnitsLabel))
            nameByLabel(table, label);
    }
    fillPorts();
    const std::pair<int, void (CBatchDlg::*)()> buttons[] = {
        {ctl::batch::Browse, &CBatchDlg::OnBrowse},
        {ctl::batch::Next, &CBatchDlg::OnNext},
        {ctl::batch::Stop, &CBatchDlg::OnStop},
        {ctl::batch::OpenFolder, &CBatchDlg::OnOpenFolder},
    };
    for (const auto &[id, handler] : buttons) {
        if (auto *button = item<QPushButton>(id))
            connect(button, &QPushButton::clicked, this, handler);
    }
    // Enter goes to the default button alone: Start, then Next, then Close.
    for (auto *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    for (int id : {ctl::batch::Next, ctl::batch::Stop, ctl::batch::OpenFolder})
        item<QPushButton>(id)->setEnabled(false);
    fitToScreen();
}

void CBatchDlg::fitToScreen()
{
    auto *table = item<QTableWidget>(ctl::batch::Units);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!m_form || !table || !screen)
        return;
    // The window's frame and title take about two lines of its font.
    const int frame = 2 * fontMetrics().height();
    const int excess = m_form->height() + frame - screen->availableGeometry().height();
    const int least = table->horizontalHeader()->height() + 3 * table->verticalHeader()->defaultSectionSize()
                      + 2 * table->frameWidth();
    const int shrink = qMin(excess, table->height() - least);
    if (shrink <= 0)
        return;
    // On a screen too low for the whole template (a 200 % desktop), the table
    // gives up rows and the lines and buttons below it move up with it.
    const int below = table->geometry().bottom();
    for (auto *control : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->geometry().top() > below)
            control->move(control->x(), control->y() - shrink);
    }
    table->resize(table->width(), table->height() - shrink);
    m_form->setFixedSize(m_form->width(), m_form->height() - shrink);
}

void CBatchDlg::fillPorts()
{
    auto *list = item<QListWidget>(ctl::batch::Ports);
    if (!list)
        return;
    if (auto *label = item<QLabel>(ctl::batch::PortsLabel))
        nameByLabel(list, label);
    // The Port menu's COM items, then the adapters present by their stable names.
    QStringList ports;
    for (int n = 1; n <= 8; ++n)
        ports.append(QStringLiteral("COM%1").arg(n));
    for (const SerialDevice &device : usbSerialDevices({}))
        ports.append(device.byId.isEmpty() ? device.path : device.byId);
    if (!m_link.port.isEmpty() && !ports.contains(m_link.port))
        ports.append(m_link.port);
    for (const QString &port : ports) {
        auto *entry = new QListWidgetItem(port, list);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(port == m_link.port ? Qt::Checked : Qt::Unchecked);
        if (port == m_link.port)
            list->setCurrentItem(entry);
    }
}

QStringList CBatchDlg::checkedPorts() const
{
    QStringList ports;
    if (const auto *list = item<QListWidget>(ctl::batch::Ports)) {
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->checkState() == Qt::Checked)
                ports.append(list->item(row)->text());
        }
    }
    return ports;
}

void CBatchDlg::setUpLanes(int lanes)
{
    auto *table = item<QTableWidget>(ctl::batch::Units);
    auto *step = item<QLabel>(ctl::batch::Step);
    auto *progress = item<QProgressBar>(ctl::batch::Progress);
    qDeleteAll(m_extraLanes);
    m_extraLanes.clear();
    if (m_tableGeometry.isNull())
        m_tableGeometry = table->geometry();
    // Each further lane takes a step line and bar off the foot of the table.
    const int pitch = progress->geometry().bottom() - step->geometry().top() + 4;
    table->setGeometry(m_tableGeometry.adjusted(0, 0, 0, -(lanes - 1) * pitch));
    m_lanes = {{step, progress}};
    for (int lane = 1; lane < lanes; ++lane) {
        auto *line = new QLabel(this);
        auto *bar = new QProgressBar(this);
        line->setGeometry(step->geometry().translated(0, -(lanes - lane) * pitch));
        bar->setGeometry(progress->geometry().translated(0, -(lanes - lane) * pitch));
        bar->setTextVisible(false);
        bar->setValue(0);
        line->show();
        bar->show();
        m_extraLanes << line << bar;
        m_lanes.append({line, bar});
    }
    // The first lane's line sits at the top, the last one's where a single lane's is.
    std::rotate(m_lanes.begin(), m_lanes.begin() + 1, m_lanes.end());
    for (int lane = 0; lane < lanes; ++lane) {
        m_lanes[lane].line->clear();
        m_lanes[lane].bar->setAccessibleName(m_ports.value(lane));
    }
    m_steps = QList<BatchStep>(lanes, BatchStep::WaitingForRadio);
}

CBatchDlg::~CBatchDlg()
{
    // The dialog closes only once its worker has ended; this is the last
    // guard should it be destroyed otherwise.
    if (m_worker) {
        m_worker->requestStop();
        m_worker->wait();
    }
}

void CBatchDlg::accept()
{
    if (!m_worker && item<QPushButton>(ctl::batch::Start)->isEnabled())
        OnStart();
}

void CBatchDlg::reject()
{
    if (m_worker)
        OnStop();
    else
        CTemplateDialog::reject();
}

void CBatchDlg::OnBrowse()
{
    auto *edit = item<QLineEdit>(ctl::batch::Variations);
    const QString chosen = QFileDialog::getOpenFileName(this, VariationsCaption.text(m_link.language), edit->text(),
                                                        QStringLiteral("CSV (*.csv)"));
    if (!chosen.isEmpty())
        edit->setText(QDir::toNativeSeparators(chosen));
}

void CBatchDlg::OnStart()
{
    const Language language = m_link.language;
    BatchPlan plan;
    // The whole variations file is checked before any radio is touched.
    if (const QString path = item<QLineEdit>(ctl::batch::Variations)->text().trimmed(); !path.isEmpty()) {
        const VariationsRead read = readVariationsFile(QDir::fromNativeSeparators(path), language);
        if (!read || read.units.isEmpty()) {
            const QString reason = read ? NoVariationRowsText.text(language).arg(path) : *read.error;
            messageBox(this, VariationsRefusedText.text(language).arg(reason));
            return;
        }
        plan.variations = read.units;
    }
    m_ports = checkedPorts();
    if (m_ports.isEmpty()) {
        messageBox(this, NoPortText.text(language));
        return;
    }
    // Several cables are never waited on by hand: each lane finds its next radio.
    if (m_ports.size() > 1)
        item<QRadioButton>(ctl::batch::AutoSwap)->setChecked(true);
    plan.document = m_document;
    m_verify = item<QCheckBox>(ctl::batch::Verify)->isChecked();
    plan.verify = m_verify;
    plan.backup = item<QCheckBox>(ctl::batch::Backup)->isChecked();
    plan.autoSwap = item<QRadioButton>(ctl::batch::AutoSwap)->isChecked();
    plan.maxResumes = m_maxResumes;
    plan.changedOnly = m_changedOnly;
    plan.programDirectory = m_link.programDirectory;
    plan.backupDirectory = backupDirectory(m_link.programDirectory);
    const QString logPath = plan.backupDirectory + batchStem(plan.started) + QStringLiteral(".csv");

    item<QTableWidget>(ctl::batch::Units)->setRowCount(0);
    item<QLabel>(ctl::batch::Summary)->clear();
    item<QLabel>(ctl::batch::LogPath)->clear();
    m_summary = {};
    m_logPath.clear();
    setUpLanes(int(m_ports.size()));
    m_worker = new BatchWorker(m_link, m_ports, std::move(plan), logPath, this);
    connect(m_worker, &BatchWorker::stepStarted, this, &CBatchDlg::onStep);
    connect(m_worker, &BatchWorker::progress, this, &CBatchDlg::onProgress);
    connect(m_worker, &BatchWorker::resuming, this, &CBatchDlg::setStatus);
    connect(m_worker, &BatchWorker::unitDone, this, &CBatchDlg::onUnitDone);
    connect(m_worker, &BatchWorker::waitingForNext, this, &CBatchDlg::onWaitingForNext);
    connect(m_worker, &BatchWorker::mismatched, this, &CBatchDlg::onMismatched, Qt::BlockingQueuedConnection);
    connect(m_worker, &QThread::finished, this, &CBatchDlg::onWorkerFinished);
    showRunning(true);
    m_worker->start();
}

void CBatchDlg::showRunning(bool running)
{
    for (int id : {ctl::batch::VariationsLabel, ctl::batch::Variations, ctl::batch::Browse, ctl::batch::Verify,
                   ctl::batch::Backup, ctl::batch::AutoSwap, ctl::batch::NextSwap, ctl::batch::Start,
                   ctl::batch::PortsLabel, ctl::batch::Ports}) {
        if (auto *control = item<QWidget>(id))
            control->setEnabled(false);
    }
    auto *close = item<QPushButton>(ctl::batch::Close);
    auto *stop = item<QPushButton>(ctl::batch::Stop);
    item<QPushButton>(ctl::batch::Next)->setEnabled(false);
    item<QPushButton>(ctl::batch::Start)->setDefault(false);
    stop->setEnabled(running);
    close->setEnabled(!running);
    close->setDefault(!running);
    (running ? stop : close)->setFocus();
}

QString CBatchDlg::stepLine(int lane, int unit, BatchStep step) const
{
    const Language language = m_link.language;
    const QString text = batchStepText(step, language);
    const QString line
        = unit > 0 ? UnitStepText.text(language).arg(unit).arg(text) : WaitingText.text(language).arg(text);
    return m_lanes.size() > 1 ? BatchLaneText.text(language).arg(m_ports.value(lane), line) : line;
}

void CBatchDlg::setStatus(int lane, const QString &text)
{
    if (lane >= 0 && lane < m_lanes.size())
        m_lanes.at(lane).line->setText(text);
}

void CBatchDlg::onStep(int lane, int unit, BatchStep step)
{
    if (lane < 0 || lane >= m_lanes.size())
        return;
    m_steps[lane] = step;
    setStatus(lane, stepLine(lane, unit, step));
    QProgressBar *progress = m_lanes.at(lane).bar;
    const bool waiting = step == BatchStep::WaitingForRadio || step == BatchStep::WaitingForSwap;
    // Waiting has no end to count towards: the bar only shows that it goes on.
    progress->setRange(0, waiting ? 0 : 1);
    progress->setValue(0);
}

void CBatchDlg::onProgress(int lane, int done, int total)
{
    if (lane < 0 || lane >= m_lanes.size())
        return;
    QProgressBar *progress = m_lanes.at(lane).bar;
    progress->setRange(0, total);
    progress->setValue(done);
}

void CBatchDlg::onWaitingForNext(int unit)
{
    setStatus(0, ConnectNextText.text(m_link.language).arg(unit));
    if (!m_steps.isEmpty())
        m_steps[0] = BatchStep::WaitingForRadio;
    auto *progress = item<QProgressBar>(ctl::batch::Progress);
    progress->setRange(0, 1);
    progress->setValue(0);
    auto *next = item<QPushButton>(ctl::batch::Next);
    next->setEnabled(true);
    next->setDefault(true);
    next->setFocus();
}

void CBatchDlg::OnNext()
{
    auto *next = item<QPushButton>(ctl::batch::Next);
    if (!m_worker || !next->isEnabled())
        return;
    next->setEnabled(false);
    next->setDefault(false);
    item<QPushButton>(ctl::batch::Stop)->setFocus();
    m_worker->radioConnected();
}

const LocalisedText *CBatchDlg::stopQuestion() const
{
    // A write stopped half-way leaves a radio to be written again: of the
    // lanes' steps, the one with the most at stake words the question.
    for (const auto &[step, question] :
         {std::pair{BatchStep::Writing, &StopWriteQuestion}, std::pair{BatchStep::Verifying, &StopVerifyQuestion},
          std::pair{BatchStep::BackingUp, &StopBackupQuestion}}) {
        if (m_steps.contains(step))
            return question;
    }
    return nullptr;
}

void CBatchDlg::OnStop()
{
    if (!m_worker || m_asking)
        return;
    // Every lane holds at its next block while the user decides; one whose
    // radio gave up waiting meanwhile resumes as after a fault.
    if (const LocalisedText *question = stopQuestion()) {
        m_asking = true;
        m_worker->requestPause();
        const bool stop = messageBox(this, question->text(m_link.language), QMessageBox::Question,
                                     QMessageBox::Yes | QMessageBox::No)
                          == QMessageBox::Yes;
        m_asking = false;
        if (!m_worker)
            return;
        if (!stop) {
            m_worker->resume();
            return;
        }
    }
    item<QPushButton>(ctl::batch::Stop)->setEnabled(false);
    item<QPushButton>(ctl::batch::Next)->setEnabled(false);
    m_worker->requestStop();
}

void CBatchDlg::onMismatched(int unit, const QByteArray &identification, const QByteArray &expected)
{
    const QString question = MismatchQuestion.text(m_link.language)
                                 .arg(unit)
                                 .arg(identificationText(identification), identificationText(expected));
    // As before any write to another radio, Enter (also the Next key) and
    // Escape answer No.
    m_worker->answerMismatch(
        messageBox(this, question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes);
}

void CBatchDlg::onUnitDone(const UnitRecord &record)
{
    const Language language = m_link.language;
    auto *table = item<QTableWidget>(ctl::batch::Units);
    const int row = table->rowCount();
    table->insertRow(row);
    const QString cells[]
        = {QString::number(record.unit), record.port, identificationText(record.identification),
           unitResultText(record.result, language), record.finished.toLocalTime().toString(QStringLiteral("HH:mm:ss"))};
    for (int c = 0; c < int(std::size(cells)); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
    // The row as the log has it: the variations and why a radio failed.
    QStringList details = record.changes;
    if (!record.reason.isEmpty())
        details << record.reason.in(language);
    table->item(row, 3)->setToolTip(details.join(u'\n'));
    table->scrollToItem(table->item(row, 0));
}

void CBatchDlg::onWorkerFinished()
{
    m_worker->wait();
    const QString failure = m_worker->failure();
    m_summary = m_worker->summary();
    m_logPath = m_worker->logPath();
    delete m_worker;
    m_worker = nullptr;

    const Language language = m_link.language;
    const bool ran = !m_logPath.isEmpty();
    for (const LaneLine &lane : m_lanes) {
        lane.line->clear();
        lane.bar->setRange(0, 1);
        lane.bar->setValue(0);
    }
    setStatus(int(m_lanes.size()) - 1,
              ran ? (m_summary.stopped ? StoppedText : FinishedText).text(language) : QString());
    if (ran) {
        item<QLabel>(ctl::batch::Summary)->setText(m_summary.text(m_verify, language));
        item<QLabel>(ctl::batch::LogPath)->setText(LogText.text(language).arg(QDir::toNativeSeparators(m_logPath)));
    }
    item<QPushButton>(ctl::batch::OpenFolder)->setEnabled(ran);
    showRunning(false);
    if (!failure.isEmpty())
        messageBox(this, failure);
    else if (!m_summary.logError.isEmpty())
        messageBox(this, LogRowText.text(language).arg(m_summary.logErrorText(language)));
    else if (m_summary.lineLost())
        messageBox(this, m_summary.lostPortsText(language));
}

void CBatchDlg::OnOpenFolder()
{
    if (m_logPath.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(m_logPath).absolutePath());
    // Without a file manager the window says where the folder is, not only
    // the opener's standard error.
    const auto noFileManager = [this, folder] {
        item<QLabel>(ctl::batch::LogPath)->setText(NoFileManagerText.text(m_link.language).arg(folder));
    };
    if (m_fileManager.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
            noFileManager();
        return;
    }
    auto *opener = new QProcess(this);
    connect(opener, &QProcess::finished, this, [opener, noFileManager](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            noFileManager();
        opener->deleteLater();
    });
    connect(opener, &QProcess::errorOccurred, this, [opener, noFileManager](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        noFileManager();
        opener->deleteLater();
    });
    opener->start(m_fileManager, {folder});
}

} // namespace kdw

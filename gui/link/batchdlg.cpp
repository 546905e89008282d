#include "gui/link/batchdlg.h"

#include "core/image/backups.h"
#include "core/link/batchworker.h"
#include "core/link/transfermessages.h"
#include "core/settings/unitvariations.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/messagebox.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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
constexpr LocalisedText LogText{u"Log: %1", u"日志：%1", u"記錄：%1"};

constexpr LocalisedList<4> Headings{{
    {u"Radio", u"序号", u"序號"},
    {u"Identification", u"识别码", u"識別碼"},
    {u"Result", u"结果", u"結果"},
    {u"Time", u"时间", u"時間"},
}};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

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
        for (int c : {0, 1, 3})
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(2, QHeaderView::Stretch);
        if (auto *label = item<QLabel>(ctl::batch::UnitsLabel))
            nameByLabel(table, label);
    }
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
    m_worker = new BatchWorker(m_link, {m_link.port}, std::move(plan), logPath, this);
    connect(m_worker, &BatchWorker::stepStarted, this, &CBatchDlg::onStep);
    connect(m_worker, &BatchWorker::progress, this, &CBatchDlg::onProgress);
    connect(m_worker, &BatchWorker::resuming, this, [this](int, const QString &notice) { setStatus(notice); });
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
                   ctl::batch::Backup, ctl::batch::AutoSwap, ctl::batch::NextSwap, ctl::batch::Start}) {
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

QString CBatchDlg::stepLine(int unit, BatchStep step) const
{
    const Language language = m_link.language;
    return UnitStepText.text(language).arg(unit).arg(batchStepText(step, language));
}

void CBatchDlg::setStatus(const QString &text)
{
    item<QLabel>(ctl::batch::Step)->setText(text);
}

void CBatchDlg::onStep(int /*lane*/, int unit, BatchStep step)
{
    m_step = step;
    setStatus(stepLine(unit, step));
    auto *progress = item<QProgressBar>(ctl::batch::Progress);
    const bool waiting = step == BatchStep::WaitingForRadio || step == BatchStep::WaitingForSwap;
    // Waiting has no end to count towards: the bar only shows that it goes on.
    progress->setRange(0, waiting ? 0 : 1);
    progress->setValue(0);
}

void CBatchDlg::onProgress(int /*lane*/, int done, int total)
{
    auto *progress = item<QProgressBar>(ctl::batch::Progress);
    progress->setRange(0, total);
    progress->setValue(done);
}

void CBatchDlg::onWaitingForNext(int unit)
{
    setStatus(ConnectNextText.text(m_link.language).arg(unit));
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

void CBatchDlg::OnStop()
{
    if (!m_worker || m_asking)
        return;
    // A write stopped half-way leaves the radio to be written again: asked
    // first, while the run goes on.
    if (m_step == BatchStep::Writing) {
        m_asking = true;
        const bool stop = messageBox(this, StopWriteQuestion.text(m_link.language), QMessageBox::Question,
                                     QMessageBox::Yes | QMessageBox::No)
                          == QMessageBox::Yes;
        m_asking = false;
        if (!stop || !m_worker)
            return;
    }
    item<QPushButton>(ctl::batch::Stop)->setEnabled(false);
    item<QPushButton>(ctl::batch::Next)->setEnabled(false);
    m_worker->requestStop();
}

void CBatchDlg::onMismatched(int unit, const QByteArray &identification, const QByteArray &expected)
{
    const QString question = MismatchQuestion.text(m_link.language).arg(unit).arg(hex(identification), hex(expected));
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
        = {QString::number(record.unit), hex(record.identification), unitResultText(record.result, language),
           record.finished.toLocalTime().toString(QStringLiteral("HH:mm:ss"))};
    for (int c = 0; c < 4; ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
    // The row as the log has it: the variations and why a radio failed.
    QStringList details = record.changes;
    if (!record.reason.isEmpty())
        details << record.reason.in(language);
    table->item(row, 2)->setToolTip(details.join(u'\n'));
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
    auto *progress = item<QProgressBar>(ctl::batch::Progress);
    progress->setRange(0, 1);
    progress->setValue(0);
    setStatus(ran ? (m_summary.stopped ? StoppedText : FinishedText).text(language) : QString());
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
    if (!m_logPath.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_logPath).absolutePath()));
}

} // namespace kdw

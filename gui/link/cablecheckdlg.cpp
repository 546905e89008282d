#include "gui/link/cablecheckdlg.h"

#include "core/link/cabledoctor.h"
#include "core/text/localisedtext.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace kdw {

namespace {
constexpr LocalisedText CaptionText{u"Check Cable and Radio", u"检查数据线和对讲机", u"檢查傳輸線和對講機"};
constexpr LocalisedText CheckingText{u"Checking %1...", u"正在检查 %1...", u"正在檢查 %1..."};
constexpr LocalisedText CheckedText{u"Checked %1.", u"已检查 %1。", u"已檢查 %1。"};
constexpr LocalisedText AgainText{u"Check Again", u"重新检查", u"重新檢查"};
} // namespace

CCableCheckDlg::CCableCheckDlg(QWidget *parent, const QString &portName, const QString &programDirectory,
                               Language language, SystemRoots roots)
    : QDialog(parent)
    , m_portName(portName)
    , m_programDirectory(programDirectory)
    , m_language(language)
    , m_roots(std::move(roots))
{
    setObjectName(QStringLiteral("CCableCheckDlg"));
    setWindowTitle(CaptionText.text(m_language));
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);
    m_lines = new QPlainTextEdit(this);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_lines->setReadOnly(true);
    // The status above the lines changes as the check runs; the lines are
    // named by the dialog's caption.
    m_lines->setAccessibleName(windowTitle());
    m_lines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(m_lines);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_again = m_buttons->addButton(AgainText.text(m_language), QDialogButtonBox::ActionRole);
    m_again->setObjectName(QStringLiteral("again"));
    connect(m_again, &QPushButton::clicked, this, &CCableCheckDlg::startCheck);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CCableCheckDlg::reject);
    layout->addWidget(m_buttons);
    resize(720, 420);
    startCheck();
}

CCableCheckDlg::~CCableCheckDlg()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

QString CCableCheckDlg::text() const
{
    return m_lines->toPlainText();
}

void CCableCheckDlg::reject()
{
    if (!isRunning())
        QDialog::reject();
}

void CCableCheckDlg::startCheck()
{
    if (isRunning())
        return;
    m_lines->clear();
    m_problems = 0;
    const QString shown = m_portName.isEmpty() ? QStringLiteral("-") : m_portName;
    m_status->setText(CheckingText.text(m_language).arg(shown));
    m_again->setEnabled(false);
    m_buttons->button(QDialogButtonBox::Close)->setEnabled(false);
    m_thread = QThread::create(
        [this, port = m_portName, directory = m_programDirectory, language = m_language, roots = m_roots] {
            // The serial port is made, used and closed on this thread.
            CableDoctor doctor(roots, DoctorIdentity::ofThisProcess(), language);
            const int problems = doctor.run(port, directory, [this](const DoctorLine &line) {
                QMetaObject::invokeMethod(
                    this, [this, text = line.formatted()] { appendLine(text); }, Qt::QueuedConnection);
            });
            QMetaObject::invokeMethod(
                this, [this, problems] { m_problems = problems; }, Qt::QueuedConnection);
        });
    connect(m_thread, &QThread::finished, this, &CCableCheckDlg::finishCheck);
    m_thread->start();
}

void CCableCheckDlg::appendLine(const QString &line)
{
    m_lines->appendPlainText(line);
}

void CCableCheckDlg::finishCheck()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_status->setText(CheckedText.text(m_language).arg(m_portName.isEmpty() ? QStringLiteral("-") : m_portName));
    m_again->setEnabled(true);
    QPushButton *close = m_buttons->button(QDialogButtonBox::Close);
    close->setEnabled(true);
    close->setDefault(true);
    close->setFocus();
    emit checkFinished(m_problems);
}

} // namespace kdw

#include "gui/link/writecheckdlg.h"

#include "core/image/identification.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/dialogs/messagebox.h"
#include "gui/grid/findingslist.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kdw {

namespace {

constexpr LocalisedText FoundBeforeWrite{u"The check found these in the channels. Write them to the radio anyway?",
                                         u"检查发现信道中有以下问题。仍然写入对讲机吗？",
                                         u"檢查發現信道中有以下問題。仍然寫入對講機嗎？"};
constexpr LocalisedText WriteAnywayText{u"&Write Anyway", u"仍然写入(&W)", u"仍然寫入(&W)"};
constexpr LocalisedText OtherRadioQuestion{
    u"This radio answers %1, but the document came from a radio that answered %2: it may be another model, "
    u"another firmware or another radio.\nWrite the document to this radio all the same?",
    u"这台对讲机的识别码为 %1，而文档来自识别码为 %2 的对讲机：可能是其他型号、其他固件或另一台对讲机。\n"
    u"仍然将文档写入这台对讲机吗？",
    u"這台對講機的識別碼為 %1，而文件來自識別碼為 %2 的對講機：可能是其他型號、其他韌體或另一台對講機。\n"
    u"仍然將文件寫入這台對講機嗎？"};

} // namespace

CWriteCheckDlg::CWriteCheckDlg(QWidget *parent, const QList<PlanFinding> &warnings, Language language)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CWriteCheckDlg"));
    setWindowTitle(CheckChannelsTitle.text(language));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(FoundBeforeWrite.text(language), this);
    label->setWordWrap(true);
    layout->addWidget(label);
    m_list = new CFindingsList(language, this);
    nameByLabel(m_list, label);
    m_list->showFindings(warnings);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    m_writeAnyway = buttons->addButton(WriteAnywayText.text(language), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    // Enter alone does not write a plan with mistakes into a radio.
    m_cancel->setDefault(true);
    m_writeAnyway->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 320);
}

bool askWriteAnyway(QWidget *parent, const QList<PlanFinding> &findings, Language language)
{
    QList<PlanFinding> warnings;
    for (const PlanFinding &finding : findings) {
        if (finding.kind != FindingKind::Note)
            warnings.append(finding);
    }
    if (warnings.isEmpty())
        return true;
    CWriteCheckDlg dialog(parent, warnings, language);
    return dialog.exec() == QDialog::Accepted;
}

bool askWriteOtherRadio(QWidget *parent, const QByteArray &found, const QByteArray &known, Language language)
{
    const QString question
        = OtherRadioQuestion.text(language).arg(identificationText(found), identificationText(known));
    return messageBox(parent, question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace kdw

#include "gui/link/writecheckdlg.h"

#include "core/text/localisedtext.h"
#include "gui/dialogs/dialogtemplate.h"
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

} // namespace kdw

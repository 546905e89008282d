#pragma once

#include "core/channels/plancheck.h"

#include <QDialog>

class QPushButton;

namespace kdw {

class CFindingsList;

// The question before a write when the plan check found more than notes:
// the findings in a list, Write Anyway or Cancel (the default, and Escape).
class CWriteCheckDlg : public QDialog
{
    Q_OBJECT

public:
    CWriteCheckDlg(QWidget *parent, const QList<PlanFinding> &warnings, Language language);

    CFindingsList *findingsList() const { return m_list; }
    QPushButton *writeAnywayButton() const { return m_writeAnyway; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    CFindingsList *m_list = nullptr;
    QPushButton *m_writeAnyway = nullptr;
    QPushButton *m_cancel = nullptr;
};

// True when the write may go on: no finding but notes, or the user chose
// Write Anyway.
[[nodiscard]] bool askWriteAnyway(QWidget *parent, const QList<PlanFinding> &findings, Language language);

// The question when a write finds a radio (`found`) other than the one the
// document came from (`known`): true when the user chose Yes. No is the
// default button, so Enter and Escape write nothing.
[[nodiscard]] bool askWriteOtherRadio(QWidget *parent, const QByteArray &found, const QByteArray &known,
                                      Language language);

} // namespace kdw

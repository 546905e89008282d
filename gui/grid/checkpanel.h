#pragma once

#include "core/channels/plancheck.h"

#include <QDockWidget>
#include <QTimer>

namespace kdw {

class CBandChart;
class CFindingsList;
class CIniFile;
class CProgramDoc;
class CProgramView;
class ChannelTableModel;

// View > Check Channels: the plan check's findings and the band chart in a
// panel beside the grid. It checks the document's channels as they are
// stored (an open editor's text not yet), as `kdw-cli check` checks a file,
// against the Frequency Range the form shows, again a moment after the
// channels change, while it is shown. Program.ini keeps whether it is shown.
// Its list and chart are made when it is first shown.
class CCheckPanel : public QDockWidget
{
    Q_OBJECT

public:
    CCheckPanel(CProgramDoc &doc, CProgramView &view, CIniFile &config, QWidget *parent = nullptr);

    // F7: shows the panel and moves to its list; from inside the panel,
    // hides it and goes back to the grid.
    void OnCheckChannels();
    // Shown as Program.ini last kept it.
    void restoreShown();

    const QList<PlanFinding> &findings() const { return m_findings; }
    // Null until the panel is first shown.
    CFindingsList *findingsList() const { return m_list; }
    CBandChart *chart() const { return m_chart; }

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void makeContents();
    void scheduleCheck();
    void recheck();
    void keepShown(bool shown);
    void backToGrid();

    CProgramDoc &m_doc;
    CProgramView &m_view;
    ChannelTableModel &m_table;
    CIniFile &m_config;
    CFindingsList *m_list = nullptr;
    CBandChart *m_chart = nullptr;
    QList<PlanFinding> m_findings;
    QTimer m_checkTimer;
    bool m_stale = true; // the channels changed since the last check
};

} // namespace kdw

#include "gui/grid/checkpanel.h"

#include "core/channels/channeltablemodel.h"
#include "core/channels/plancheck.h"
#include "core/image/programdoc.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"
#include "gui/grid/bandchart.h"
#include "gui/grid/findingslist.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSplitter>

namespace kdw {

namespace {

// Long enough that typing a frequency does not check at every key.
constexpr int CheckDelayMs = 300;
constexpr int VisibleLines = 10;

} // namespace

CCheckPanel::CCheckPanel(CProgramDoc &doc, CProgramView &view, CIniFile &config, QWidget *parent)
    : QDockWidget(CheckChannelsTitle.text(doc.language()), parent)
    , m_doc(doc)
    , m_view(view)
    , m_table(view.channelTable())
    , m_config(config)
{
    setObjectName(QStringLiteral("checkPanel"));
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setInterval(CheckDelayMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &CCheckPanel::recheck);
    // Every way the texts change: a cell, a row operation, a load (New, Open,
    // Read, undo and redo reload the table).
    connect(&m_table, &QAbstractItemModel::dataChanged, this, &CCheckPanel::scheduleCheck);
    connect(&m_table, &QAbstractItemModel::modelReset, this, &CCheckPanel::scheduleCheck);
    connect(&m_table, &QAbstractItemModel::layoutChanged, this, &CCheckPanel::scheduleCheck);
    connect(&m_table, &ChannelTableModel::loaded, this, &CCheckPanel::scheduleCheck);
}

void CCheckPanel::makeContents()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_list = new CFindingsList(m_doc.language(), splitter);
    m_chart = new CBandChart(m_doc.language(), splitter);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({1000, 1000}); // half each, whatever the width
    splitter->setChildrenCollapsible(false);
    // Room for a few findings and the chart's rows: the window grows to give it.
    splitter->setMinimumHeight(VisibleLines * fontMetrics().height());
    setWidget(splitter);
    setFocusProxy(m_list);
    connect(m_list, &CFindingsList::channelsChosen, &m_view, &CProgramView::selectChannels);
}

void CCheckPanel::setVisible(bool visible)
{
    // Made before the panel shows, so its first layout and paint have them.
    if (visible && !m_list)
        makeContents();
    QDockWidget::setVisible(visible);
}

void CCheckPanel::scheduleCheck()
{
    m_stale = true;
    if (!isHidden())
        m_checkTimer.start();
}

void CCheckPanel::recheck()
{
    m_checkTimer.stop();
    m_stale = false;
    // The document's bytes as they are, as `kdw-cli check` reads a file: a
    // damaged channel is found as it is stored, not as the grid can show it.
    m_findings = checkPlan(m_doc.image(), m_table.frequencyRange(), m_table.language());
    m_list->showFindings(m_findings);
    m_chart->setChannels(chartChannels(m_doc.image(), m_findings), m_table.frequencyRange());
}

void CCheckPanel::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (m_stale)
        recheck();
}

void CCheckPanel::OnCheckChannels()
{
    if (isHidden()) {
        show();
        keepShown(true);
    } else if (isAncestorOf(QApplication::focusWidget())) {
        hide();
        keepShown(false);
        backToGrid();
        return;
    }
    raise();
    m_list->setFocus(Qt::ShortcutFocusReason);
}

void CCheckPanel::restoreShown()
{
    setVisible(readFlag(m_config, programini::WindowSection, programini::CheckPanel, false));
}

void CCheckPanel::keepShown(bool shown)
{
    (void)writeFlag(m_config, programini::WindowSection, programini::CheckPanel, shown);
}

void CCheckPanel::backToGrid()
{
    m_view.grid()->setFocus(Qt::ShortcutFocusReason);
}

void CCheckPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        backToGrid();
        return;
    }
    QDockWidget::keyPressEvent(event);
}

void CCheckPanel::closeEvent(QCloseEvent *event)
{
    // The panel's own close button.
    QDockWidget::closeEvent(event);
    keepShown(false);
    backToGrid();
}

} // namespace kdw

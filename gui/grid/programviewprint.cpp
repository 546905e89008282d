// Print, direct print, Print Preview and Print Setup of the channel table,
// and of the band chart after it when File > Print Band Chart is on.

#include "core/channels/channeltablemodel.h"
#include "core/image/programdoc.h"
#include "gui/dialogs/previewnames.h"
#include "gui/grid/bandchart.h"
#include "gui/grid/channelpage.h"
#include "gui/grid/findingslist.h"
#include "gui/grid/programview.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace kdw {

int CProgramView::printedPageCount() const
{
    return ChannelPageCount + (m_printBandChart ? 1 : 0);
}

void CProgramView::printPages(QPrinter &target, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&target))
        return;
    const ChannelTable table = m_table.table();
    for (int page = from; page <= to; ++page) {
        if (page > from)
            target.newPage();
        if (page <= ChannelPageCount) {
            paintChannelPage(painter, table, m_table.language(), page);
            continue;
        }
        const CheckedChannels checked = checkShownChannels(m_table);
        paintBandChartPage(painter, chartChannels(checked.image, checked.findings), frequencyRange(), m_doc.language());
    }
    painter.end();
}

void CProgramView::OnFilePrint()
{
    commitOpenEditor();
    QPrinter &target = printer();
    QPrintDialog dialog(&target, this);
    const int pages = printedPageCount();
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 1;
    int to = pages;
    if (target.printRange() == QPrinter::PageRange) {
        from = qBound(1, target.fromPage(), pages);
        to = qBound(from, target.toPage(), pages);
    }
    printPages(target, from, to);
}

void CProgramView::OnFilePrintDirect()
{
    commitOpenEditor();
    printPages(printer(), 1, printedPageCount());
}

void CProgramView::OnFilePrintPreview()
{
    commitOpenEditor();
    QPrintPreviewDialog dialog(&printer(), this);
    // One page at a time.
    if (auto *preview = dialog.findChild<QPrintPreviewWidget *>())
        preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    namePreviewControls(&dialog, m_table.language());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { printPages(*target, 1, printedPageCount()); });
    dialog.exec();
}

void CProgramView::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

} // namespace kdw

// Print, direct print, Print Preview and Print Setup of the channel table.

#include "core/channels/channeltablemodel.h"
#include "gui/dialogs/previewnames.h"
#include "gui/grid/channelpage.h"
#include "gui/grid/programview.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace kdw {

void CProgramView::printPages(QPrinter &target, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&target))
        return;
    const ChannelTable table = m_table.table();
    for (int page = from; page <= to; ++page) {
        if (page > from)
            target.newPage();
        paintChannelPage(painter, table, m_table.language(), page);
    }
    painter.end();
}

void CProgramView::OnFilePrint()
{
    commitOpenEditor();
    QPrinter &target = printer();
    QPrintDialog dialog(&target, this);
    dialog.setMinMax(1, ChannelPageCount);
    dialog.setFromTo(1, ChannelPageCount);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 1;
    int to = ChannelPageCount;
    if (target.printRange() == QPrinter::PageRange) {
        from = qBound(1, target.fromPage(), ChannelPageCount);
        to = qBound(from, target.toPage(), ChannelPageCount);
    }
    printPages(target, from, to);
}

void CProgramView::OnFilePrintDirect()
{
    commitOpenEditor();
    printPages(printer(), 1, ChannelPageCount);
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
            [this](QPrinter *target) { printPages(*target, 1, ChannelPageCount); });
    dialog.exec();
}

void CProgramView::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

} // namespace kdw

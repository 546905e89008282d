#include "gui/grid/importsummarydlg.h"

#include "core/image/regions.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace kdw {

namespace {

constexpr int SummaryDialogId = 176;

constexpr LocalisedText WillImport{u"%1 channels will be imported, %2 left out.", u"将导入 %1 个信道，%2 行未导入。",
                                   u"將匯入 %1 個信道，%2 行未匯入。"};
constexpr LocalisedText WillImportOne{u"1 channel will be imported, %1 left out.", u"将导入 1 个信道，%1 行未导入。",
                                      u"將匯入 1 個信道，%1 行未匯入。"};
constexpr LocalisedText PlacedByLocation{u"Rows placed by Location.", u"各行按 Location 放置。",
                                         u"各行按 Location 放置。"};
constexpr LocalisedText PlacedInOrder{u"Rows placed in file order from channel %1.",
                                      u"各行按文件顺序从信道 %1 起放置。", u"各行按檔案順序從信道 %1 起放置。"};
constexpr LocalisedText LeftOut{u"Left out: %1", u"未导入：%1", u"未匯入：%1"};
constexpr LocalisedText Changed{u"Changed: %1", u"已更改：%1", u"已變更：%1"};

} // namespace

CImportSummaryDlg::CImportSummaryDlg(QWidget *parent, Importer import, Language language)
    : CTemplateDialog(SummaryDialogId, parent)
    , m_import(std::move(import))
    , m_language(language)
{
    setObjectName(QStringLiteral("CImportSummaryDlg"));
    if (auto *list = item<QTableWidget>(ctl::summary::List)) {
        list->setColumnCount(1);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->horizontalHeader()->hide();
        list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        list->verticalHeader()->hide();
        list->setWordWrap(true);
        if (auto *label = item<QLabel>(ctl::summary::ListLabel))
            nameByLabel(list, label);
    }
    auto *first = item<QLineEdit>(ctl::summary::First);
    first->setText(QString::number(1));
    first->setAccessibleName(item<QRadioButton>(ctl::summary::InOrder)->text().remove(u'&'));

    // The placement that takes more rows, by Location on a tie.
    m_result = m_import({});
    const ChannelCsvImport inOrder = m_import({GenericPlacement::InOrder, 1});
    const bool offer = m_result.irregularNumbering;
    if (offer && inOrder.taken > m_result.taken)
        item<QRadioButton>(ctl::summary::InOrder)->setChecked(true);
    for (int id : {ctl::summary::PlaceLabel, ctl::summary::ByLocation, ctl::summary::InOrder, ctl::summary::First})
        item<QWidget>(id)->setVisible(offer);
    connect(item<QRadioButton>(ctl::summary::InOrder), &QRadioButton::toggled, this, [this] { summarise(chosen()); });
    connect(first, &QLineEdit::textEdited, this, [this] { summarise(chosen()); });
    summarise(chosen());
}

GenericCsvOptions CImportSummaryDlg::chosen() const
{
    if (!item<QRadioButton>(ctl::summary::InOrder)->isChecked())
        return {};
    bool ok = false;
    const int first = item<QLineEdit>(ctl::summary::First)->text().toInt(&ok);
    return {GenericPlacement::InOrder, ok && first >= 1 && first <= region::ChannelCount ? first : 1};
}

void CImportSummaryDlg::summarise(const GenericCsvOptions &options)
{
    m_result = m_import(options);
    const auto left = m_result.leftOut.size();
    QString summary = m_result.taken == 1 ? WillImportOne.text(m_language).arg(left)
                                          : WillImport.text(m_language).arg(m_result.taken).arg(left);
    summary += u' ';
    summary += options.place == GenericPlacement::InOrder ? PlacedInOrder.text(m_language).arg(options.first)
                                                          : PlacedByLocation.text(m_language);
    item<QLabel>(ctl::summary::Summary)->setText(summary);

    QStringList lines;
    for (const QString &row : std::as_const(m_result.leftOut))
        lines.append(LeftOut.text(m_language).arg(row));
    for (const QString &change : std::as_const(m_result.changes))
        lines.append(Changed.text(m_language).arg(change));
    if (!m_result.ignoredColumns.isEmpty())
        lines.append(ignoredColumnsText(m_result.ignoredColumns, m_language));
    if (!m_result.emptied.isEmpty())
        lines.append(emptiedChannelsText(m_result.emptied, m_language));
    auto *list = item<QTableWidget>(ctl::summary::List);
    list->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r)
        list->setItem(r, 0, new QTableWidgetItem(lines.at(r)));
    list->resizeRowsToContents();
    item<QPushButton>(ctl::Ok)->setEnabled(m_result.taken > 0);
}

} // namespace kdw

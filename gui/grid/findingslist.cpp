#include "gui/grid/findingslist.h"

#include "core/channels/channeltablemodel.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyledItemDelegate>

namespace kdw {

namespace {

constexpr LocalisedText ChannelsHeading{u"Channels", u"信道", u"信道"};
constexpr LocalisedText FindingHeading{u"Finding", u"检查结果", u"檢查結果"};
constexpr LocalisedText WarningsHeading{u"Warnings (%1)", u"警告（%1）", u"警告（%1）"};
constexpr LocalisedText NotesHeading{u"Notes (%1)", u"提醒（%1）", u"提醒（%1）"};
constexpr LocalisedText FindingsName{u"Findings", u"检查结果", u"檢查結果"};
constexpr LocalisedText NoFindings{u"No findings", u"未发现问题", u"未發現問題"};

constexpr int ChannelsRole = Qt::UserRole;

QString channelList(const QList<int> &channels)
{
    QStringList numbers;
    for (int channel : channels)
        numbers.append(QString::number(channel));
    return numbers.join(QStringLiteral(", "));
}

// A row as tall as its texts wrapped in their columns' widths: the tree asks
// its delegate for a size without the column's width, so nothing would wrap.
class WrappingDelegate : public QStyledItemDelegate
{
public:
    explicit WrappingDelegate(QTreeView *tree)
        : QStyledItemDelegate(tree)
        , m_tree(tree)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem inColumn = option;
        // The style wraps only in a valid rectangle; its height is not used.
        inColumn.rect.setSize({m_tree->columnWidth(index.column()), qMax(1, option.rect.height())});
        return QStyledItemDelegate::sizeHint(inColumn, index);
    }

private:
    QTreeView *m_tree;
};

} // namespace

CheckedChannels checkShownChannels(const ChannelTableModel &table)
{
    CheckedChannels checked{table.stored(), {}};
    checked.findings = checkPlan(checked.image, table.frequencyRange(), table.language());
    return checked;
}

CFindingsList::CFindingsList(Language language, QWidget *parent)
    : QTreeWidget(parent)
    , m_language(language)
{
    setObjectName(QStringLiteral("findings"));
    setAccessibleName(FindingsName.text(language));
    setColumnCount(2);
    setHeaderLabels({ChannelsHeading.text(language), FindingHeading.text(language)});
    setRootIsDecorated(false);
    // A finding is read whole: its text wraps in the room the panel gives it.
    setUniformRowHeights(false);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new WrappingDelegate(this));
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
    // The heading wraps or fits too: the rows grow as the panel narrows.
    connect(header(), &QHeaderView::sectionResized, this, &QTreeView::doItemsLayout);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QList<int> channels = item->data(0, ChannelsRole).value<QList<int>>();
        if (!channels.isEmpty())
            emit channelsChosen(channels);
    });
}

void CFindingsList::showFindings(const QList<PlanFinding> &findings)
{
    clear();
    const std::pair<FindingKind, const LocalisedText *> groups[] = {
        {FindingKind::Warning, &WarningsHeading},
        {FindingKind::Note, &NotesHeading},
    };
    for (const auto &[kind, heading] : groups) {
        const QIcon icon = style()->standardIcon(kind == FindingKind::Warning ? QStyle::SP_MessageBoxWarning
                                                                              : QStyle::SP_MessageBoxInformation);
        QList<QTreeWidgetItem *> rows;
        for (const PlanFinding &finding : findings) {
            if (finding.kind != kind)
                continue;
            auto *row = new QTreeWidgetItem({channelList(finding.channels), finding.text});
            row->setIcon(0, icon);
            row->setData(0, ChannelsRole, QVariant::fromValue(finding.channels));
            row->setToolTip(1, finding.text);
            rows.append(row);
        }
        if (rows.isEmpty())
            continue;
        auto *group = new QTreeWidgetItem(this, {heading->text(m_language).arg(rows.size())});
        group->setFirstColumnSpanned(true);
        group->setFlags(Qt::ItemIsEnabled);
        group->addChildren(rows);
        group->setExpanded(true);
    }
    if (topLevelItemCount() == 0) {
        auto *none = new QTreeWidgetItem(this, {NoFindings.text(m_language)});
        none->setFirstColumnSpanned(true);
        none->setFlags(Qt::ItemIsEnabled);
    }
    // The channels and their heading with a gap before the finding's column
    // in every language: "信道" would otherwise run into "检查结果".
    resizeColumnToContents(0);
    setColumnWidth(0, columnWidth(0) + 2 * fontMetrics().averageCharWidth());
    // The first finding is current, so the keys start on it.
    if (QTreeWidgetItem *first = topLevelItem(0); first && first->childCount() > 0)
        setCurrentItem(first->child(0));
}

} // namespace kdw

#include "gui/grid/findingslist.h"

#include "core/channels/channeltablemodel.h"

#include <QHeaderView>
#include <QStyle>

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
    setUniformRowHeights(true);
    setWordWrap(false);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
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
    resizeColumnToContents(0);
    // The first finding is current, so the keys start on it.
    if (QTreeWidgetItem *first = topLevelItem(0); first && first->childCount() > 0)
        setCurrentItem(first->child(0));
}

} // namespace kdw

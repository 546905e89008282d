#pragma once

#include "core/channels/plancheck.h"
#include "core/text/localisedtext.h"

#include <QTreeWidget>

namespace kdw {

class ChannelTableModel;

// The document as Write would store it (an open editor's text not yet) and its
// findings against the grid's Frequency Range.
struct CheckedChannels
{
    MemoryImage image;
    QList<PlanFinding> findings;
};
[[nodiscard]] CheckedChannels checkShownChannels(const ChannelTableModel &table);

// The name of the check in the window: the panel's title and the caption of
// the question before a write.
inline constexpr LocalisedText CheckChannelsTitle{u"Check Channels", u"检查信道", u"檢查信道"};

// The plan check's findings as a list: warnings, then notes, each under its
// heading, a row a finding with its channels and its text; "No findings" when
// there are none. Enter or a double-click on a finding hands on its channels.
class CFindingsList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CFindingsList(Language language, QWidget *parent = nullptr);

    void showFindings(const QList<PlanFinding> &findings);

signals:
    void channelsChosen(const QList<int> &channels);

private:
    Language m_language;
};

} // namespace kdw

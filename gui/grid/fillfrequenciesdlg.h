#pragma once

#include "core/channels/channelfill.h"
#include "gui/dialogs/dialogtemplate.h"

namespace kdw {

// Edit > Fill Frequencies... (template 172): a first frequency, a step and
// what Tx Freq gets, over the selected channels. OK fills a copy of the table;
// a field that is not a number, or a frequency that would leave the range, is
// said in a message and the dialog stays open with nothing changed.
class CFillFrequenciesDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    CFillFrequenciesDlg(QWidget *parent, const ChannelTable &table, const QList<int> &channels,
                        const FrequencyRange &range, Language language);

    // After OK: the table filled, and the frequencies the snap moved.
    const ChannelTable &filled() const { return m_filled; }
    const QList<ChannelFrequencyChange> &changes() const { return m_changes; }

    void accept() override;

private:
    TxFill txFill() const;
    void showOffset();

    ChannelTable m_filled;
    QList<int> m_channels;
    FrequencyRange m_range;
    Language m_language;
    QList<ChannelFrequencyChange> m_changes;
};

} // namespace kdw

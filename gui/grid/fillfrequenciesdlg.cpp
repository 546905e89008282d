#include "gui/grid/fillfrequenciesdlg.h"

#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/messagebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace kdw {

namespace {

constexpr LocalisedText OneChannel{u"Channel %1", u"信道 %1", u"信道 %1"};
constexpr LocalisedText SomeChannels{u"%1 channels, from %2 to %3", u"%1 个信道，从 %2 到 %3",
                                     u"%1 個信道，從 %2 到 %3"};

} // namespace

CFillFrequenciesDlg::CFillFrequenciesDlg(QWidget *parent, const ChannelTable &table, const QList<int> &channels,
                                         const FrequencyRange &range, Language language)
    : CTemplateDialog(172, parent)
    , m_filled(table)
    , m_channels(channels)
    , m_range(range)
    , m_language(language)
{
    setObjectName(QStringLiteral("CFillFrequenciesDlg"));
    std::sort(m_channels.begin(), m_channels.end());
    if (auto *label = item<QLabel>(ctl::fill::Channels); label && !m_channels.isEmpty()) {
        label->setText(
            m_channels.size() == 1
                ? OneChannel.text(language).arg(m_channels.first())
                : SomeChannels.text(language).arg(m_channels.size()).arg(m_channels.first()).arg(m_channels.last()));
    }
    // The run starts at the first channel's frequency unless the user types another.
    if (!m_channels.isEmpty())
        item<QLineEdit>(ctl::fill::First)->setText(table[std::size_t(m_channels.first() - 1)][RxFreqField]);
    item<QLineEdit>(ctl::fill::Step)->setText(QStringLiteral("12.5"));
    // The offset's field stands beside its choice, which names it.
    auto *offsetChoice = item<QRadioButton>(ctl::fill::TxOffset);
    item<QLineEdit>(ctl::fill::Offset)->setAccessibleName(offsetChoice->text().remove(u'&'));
    for (int id : {ctl::fill::TxSame, ctl::fill::TxOffset, ctl::fill::TxUnchanged})
        connect(item<QRadioButton>(id), &QRadioButton::toggled, this, &CFillFrequenciesDlg::showOffset);
    showOffset();
    item<QLineEdit>(ctl::fill::First)->selectAll();
}

TxFill CFillFrequenciesDlg::txFill() const
{
    if (item<QRadioButton>(ctl::fill::TxOffset)->isChecked())
        return TxFill::RxPlusOffset;
    return item<QRadioButton>(ctl::fill::TxUnchanged)->isChecked() ? TxFill::Unchanged : TxFill::SameAsRx;
}

void CFillFrequenciesDlg::showOffset()
{
    item<QLineEdit>(ctl::fill::Offset)->setEnabled(txFill() == TxFill::RxPlusOffset);
}

void CFillFrequenciesDlg::accept()
{
    const FrequencyRunTyping typing
        = frequencyRunFromTexts(item<QLineEdit>(ctl::fill::First)->text(), item<QLineEdit>(ctl::fill::Step)->text(),
                                txFill(), item<QLineEdit>(ctl::fill::Offset)->text(), m_language);
    if (!typing.run) {
        messageBox(this, typing.fault);
        return;
    }
    ChannelTable table = m_filled;
    const FrequencyRunResult result = fillFrequencies(table, m_channels, *typing.run, m_range, m_language);
    if (!result) {
        messageBox(this, result.refusal);
        return;
    }
    m_filled = table;
    m_changes = result.changes;
    CTemplateDialog::accept();
}

} // namespace kdw

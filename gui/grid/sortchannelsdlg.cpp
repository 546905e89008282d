#include "gui/grid/sortchannelsdlg.h"

#include "core/image/regions.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"

#include <QComboBox>
#include <QLabel>

namespace kdw {

namespace {

constexpr int SortDialogId = 174;

constexpr LocalisedText SelectedScope{u"The %1 selected channels are sorted among their rows; empty ones go last.",
                                      u"所选的 %1 个信道在其所在行内排序，空信道排在最后。",
                                      u"所選的 %1 個信道在其所在行內排序，空信道排在最後。"};
constexpr LocalisedText AllScope{
    u"All %1 channels in use are sorted, empty channels last. To sort some only, select their rows first.",
    u"对全部 %1 个已用信道排序，空信道排在最后。只排序部分信道时，请先选中它们的行。",
    u"對全部 %1 個已用信道排序，空信道排在最後。只排序部分信道時，請先選取它們的行。"};

// The items of the key list, in the list's order.
constexpr SortKey Keys[] = {SortKey::RxFrequency, SortKey::TxFrequency, SortKey::Name, SortKey::Tone};

} // namespace

CSortChannelsDlg::CSortChannelsDlg(Language language, qsizetype places, int used, QWidget *parent)
    : CTemplateDialog(SortDialogId, parent)
    , m_comboKey(item<QComboBox>(ctl::sort::Key))
    , m_comboOrder(item<QComboBox>(ctl::sort::Order))
{
    if (auto *scope = item<QLabel>(ctl::sort::Scope)) {
        const bool all = places >= region::ChannelCount;
        scope->setText((all ? AllScope : SelectedScope).text(language).arg(all ? used : places));
    }
}

SortKey CSortChannelsDlg::key() const
{
    const int index = m_comboKey ? m_comboKey->currentIndex() : 0;
    return index >= 0 && index < int(std::size(Keys)) ? Keys[index] : SortKey::RxFrequency;
}

Qt::SortOrder CSortChannelsDlg::order() const
{
    return m_comboOrder && m_comboOrder->currentIndex() == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
}

} // namespace kdw

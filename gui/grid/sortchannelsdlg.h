#pragma once

#include "core/channels/channelsort.h"
#include "core/text/language.h"
#include "gui/dialogs/dialogtemplate.h"

class QComboBox;

namespace kdw {

// Edit > Sort Channels... (template 174): the key and the order, and a line
// saying which channels the sort runs over.
class CSortChannelsDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    // `places`: the channels sorted over (all 99 when no rows are selected);
    // `used`: how many channels in use the document has.
    CSortChannelsDlg(Language language, qsizetype places, int used, QWidget *parent = nullptr);

    [[nodiscard]] SortKey key() const;
    [[nodiscard]] Qt::SortOrder order() const;

private:
    QComboBox *m_comboKey = nullptr;
    QComboBox *m_comboOrder = nullptr;
};

} // namespace kdw

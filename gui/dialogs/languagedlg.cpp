#include "gui/dialogs/languagedlg.h"

#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"

#include <QComboBox>

namespace kdw {

namespace {

constexpr int LanguageDialogId = 162;

// One item per language, in the order of AllLanguages.
constexpr LocalisedList<3> LanguageNames{{
    {u"Eng", u"英文", u"英文"},
    {u"Chs", u"简体", u"簡體"},
    {u"Cht", u"繁体", u"繁體"},
}};

} // namespace

CLanguageDlg::CLanguageDlg(Language language, QWidget *parent)
    : CTemplateDialog(LanguageDialogId, parent)
    , m_comboLanguage(item<QComboBox>(ctl::LanguageCombo))
{
    OnInitDialog(language);
}

void CLanguageDlg::OnInitDialog(Language language)
{
    m_nLanguage = language;
    if (!m_comboLanguage)
        return;
    m_comboLanguage->addItems(itemsIn(LanguageNames, language));
    m_comboLanguage->setCurrentIndex(int(m_nLanguage));
}

void CLanguageDlg::accept()
{
    const int selected = m_comboLanguage ? m_comboLanguage->currentIndex() : -1;
    m_nLanguage = selected >= 0 && std::size_t(selected) < AllLanguages.size() ? AllLanguages.at(std::size_t(selected))
                                                                               : Language::Eng;
    CTemplateDialog::accept();
}

} // namespace kdw

#include "gui/settings/settingsdialog.h"

#include "gui/dialogs/controlids.h"
#include "gui/settings/fieldfilter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>

namespace kdw {

namespace {

// Widens the combo boxes of each column until every item shows in full in
// the closed box: the controls to the right of a widened column move right
// by as much and the form grows, so order and places stay as the template has them.
void widenCombosToItems(QWidget *form)
{
    QMap<int, QList<QComboBox *>> columns; // by left edge
    for (QComboBox *box : form->findChildren<QComboBox *>())
        columns[box->x()].append(box);
    int shift = 0;
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        int extra = 0;
        for (QComboBox *box : it.value()) {
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            extra = qMax(extra, box->sizeHint().width() - box->width());
        }
        if (extra <= 0)
            continue;
        // Left edges here are still the template's: earlier shifts are added below.
        const int right = it.key() + it.value().first()->width();
        for (QWidget *w : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (w->x() - shift >= right)
                w->move(w->x() + extra, w->y());
        }
        for (QComboBox *box : it.value())
            box->resize(box->width() + extra, box->height());
        shift += extra;
    }
    if (shift > 0)
        form->setFixedSize(form->width() + shift, form->height());
}

} // namespace

CSettingsDialog::CSettingsDialog(int templateId, SettingsDialog which, StoreOn storeOn, MemoryImage &image,
                                 Language language, QWidget *parent)
    : CTemplateDialog(templateId, parent)
    , m_image(image)
    , m_language(language)
    , m_which(which)
    , m_storeOn(storeOn)
{
    if (auto *ok = item<QPushButton>(ctl::Ok))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (auto *cancel = item<QPushButton>(ctl::Cancel))
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showSettings();
    m_shownValues = controlValues();
    if (m_form)
        widenCombosToItems(m_form);
}

void CSettingsDialog::showSettings()
{
    for (const Setting &setting : settingTable()) {
        if (setting.dialog != m_which)
            continue;
        if (const ChoiceField *choice = setting.choice()) {
            if (auto *box = item<QComboBox>(setting.controlId)) {
                box->clear();
                box->addItems(choice->itemTexts(m_language));
                // The open list shows every item in full, even where the
                // closed box is narrower than its longest item.
                box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + box->view()->frameWidth() * 2);
                box->setCurrentIndex(choice->shownIndex(m_image));
            }
        } else if (auto *edit = item<QLineEdit>(setting.controlId)) {
            // The image's text is shown as it is; the filter applies to what
            // the user types or pastes from here on.
            edit->setText(setting.text()->shown(m_image));
            edit->setValidator(new FieldFilter(*setting.text(), edit));
        }
    }
}

std::optional<SettingValue> CSettingsDialog::controlValue(const Setting &setting) const
{
    if (setting.choice()) {
        auto *box = item<QComboBox>(setting.controlId);
        if (!box || box->currentIndex() < 0)
            return std::nullopt;
        return box->currentIndex();
    }
    auto *edit = item<QLineEdit>(setting.controlId);
    if (!edit)
        return std::nullopt;
    return edit->text();
}

QList<std::optional<SettingValue>> CSettingsDialog::controlValues() const
{
    QList<std::optional<SettingValue>> values;
    for (const Setting &setting : settingTable()) {
        if (setting.dialog == m_which)
            values.append(controlValue(setting));
    }
    return values;
}

bool CSettingsDialog::changedByUser() const
{
    return controlValues() != m_shownValues;
}

void CSettingsDialog::storeSettings()
{
    for (const Setting &setting : settingTable()) {
        if (setting.dialog != m_which)
            continue;
        if (const auto value = controlValue(setting))
            storeValue(setting, m_image, *value);
    }
}

void CSettingsDialog::done(int result)
{
    if (m_storeOn == StoreOn::Close || result == QDialog::Accepted)
        storeSettings();
    CTemplateDialog::done(result);
}

void CSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter ends a dialog as OK even when its template has no OK button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !item<QPushButton>(ctl::Ok)) {
        accept();
        return;
    }
    CTemplateDialog::keyPressEvent(event);
}

COptionDlg::COptionDlg(MemoryImage &image, Language language, QWidget *parent)
    : CSettingsDialog(templateIdOf(SettingsDialog::Option), SettingsDialog::Option, StoreOn::Close, image, language,
                      parent)
{
}

CPttIdDlg::CPttIdDlg(MemoryImage &image, Language language, QWidget *parent)
    : CSettingsDialog(templateIdOf(SettingsDialog::PttId), SettingsDialog::PttId, StoreOn::Close, image, language,
                      parent)
{
}

CPcbaDlg::CPcbaDlg(MemoryImage &image, Language language, QWidget *parent)
    : CSettingsDialog(templateIdOf(SettingsDialog::Pcba), SettingsDialog::Pcba, StoreOn::Ok, image, language, parent)
{
}

} // namespace kdw

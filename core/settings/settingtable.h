#pragma once

#include "core/settings/choicefield.h"
#include "core/settings/textfield.h"

#include <QString>
#include <QStringView>

#include <variant>
#include <vector>

namespace kdw {

enum class SettingsDialog { Option, PttId, Pcba };

// One setting of the Option, PTT ID or PCBA dialog: the control that shows it
// and the image field that holds it.
struct Setting
{
    SettingsDialog dialog;
    int controlId;
    QStringView label; // the dialog's English label
    std::variant<ChoiceField, TextField> field;

    const ChoiceField *choice() const { return std::get_if<ChoiceField>(&field); }
    const TextField *text() const { return std::get_if<TextField>(&field); }
};

// Every setting, in dialog order: the Option dialog row by row, left then
// right; then the PTT ID dialog's Display, PTT ID and Code; then PCBA.
const std::vector<Setting> &settingTable();

// The setting with this English label; nullptr when there is none.
const Setting *findSetting(QStringView label);

// The dialog template that shows the settings of `dialog`.
int templateIdOf(SettingsDialog dialog);

// The dialog's caption and a setting's label as the dialogs show them: the
// English texts translated by the loaded language bundle (English when no
// bundle is loaded).
QString dialogCaption(SettingsDialog dialog);
QString settingLabel(const Setting &setting);

} // namespace kdw

#pragma once

// Control ids of the dialog templates, as the windows find their controls and
// the tests drive them. The settings dialogs' own fields carry the ids of the
// setting table.
namespace kdw::ctl {

// Every dialog's buttons.
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;

// The channel form.
namespace form {
inline constexpr int Grid = 1007;
inline constexpr int Range = 1011;
inline constexpr int Model = 1017;
inline constexpr int DefaultFactory = 1068;
inline constexpr int FreqEdit = 1082;
inline constexpr int ToneCombo = 1083;
inline constexpr int ChoiceCombo = 1084;
inline constexpr int NameEdit = 1085;
} // namespace form

// The transfer dialog: Start is its OK button.
namespace transfer {
inline constexpr int Start = Ok;
inline constexpr int Progress = 1003;
inline constexpr int Percentage = 1005;
// What the transfer is doing: the step, or the resume after a fault.
inline constexpr int Status = 1006;
} // namespace transfer

// The language dialog.
inline constexpr int LanguageCombo = 1094;

} // namespace kdw::ctl

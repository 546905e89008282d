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

// Program Several Radios: Start is its OK button, Close its Cancel.
namespace batch {
inline constexpr int Start = Ok;
inline constexpr int Close = Cancel;
inline constexpr int VariationsLabel = 1201;
inline constexpr int Variations = 1202;
inline constexpr int Browse = 1203;
inline constexpr int Verify = 1204;
inline constexpr int Backup = 1205;
inline constexpr int AutoSwap = 1206;
inline constexpr int NextSwap = 1207;
inline constexpr int UnitsLabel = 1208;
inline constexpr int Units = 1209;
inline constexpr int Step = 1210;
inline constexpr int Progress = 1211;
inline constexpr int Summary = 1212;
inline constexpr int LogPath = 1213;
inline constexpr int OpenFolder = 1214;
inline constexpr int Next = 1215;
inline constexpr int Stop = 1216;
inline constexpr int PortsLabel = 1217;
inline constexpr int Ports = 1218;
} // namespace batch

// Edit > Fill Frequencies...
namespace fill {
inline constexpr int FirstLabel = 1220;
inline constexpr int First = 1221;
inline constexpr int StepLabel = 1222;
inline constexpr int Step = 1223;
inline constexpr int TxSame = 1225;
inline constexpr int TxOffset = 1226;
inline constexpr int Offset = 1227;
inline constexpr int TxUnchanged = 1229;
inline constexpr int Channels = 1231;
} // namespace fill
// Sort Channels: what to sort by, in which order, and over which channels.
namespace sort {
inline constexpr int Key = 1302;
inline constexpr int Order = 1304;
inline constexpr int Scope = 1305;
} // namespace sort

// The summary of a generic channel file before Import: Import is its OK button.
namespace summary {
inline constexpr int Summary = 1320;
inline constexpr int PlaceLabel = 1321;
inline constexpr int ByLocation = 1322;
inline constexpr int InOrder = 1323;
inline constexpr int First = 1324;
inline constexpr int ListLabel = 1325;
inline constexpr int List = 1326;
} // namespace summary

// File > Open Backup: the backups, newest first; Open is its OK button.
namespace backups {
inline constexpr int ListLabel = 1340;
inline constexpr int List = 1341;
inline constexpr int OtherFile = 1342;
} // namespace backups

// The language dialog.
inline constexpr int LanguageCombo = 1094;

} // namespace kdw::ctl

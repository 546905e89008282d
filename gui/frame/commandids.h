#pragma once

// Command identifiers shared with the resources (menu, accelerators, toolbar,
// string table).
namespace kdw::cmd {

enum : int {
    Option = 32784,
    Read = 32785,
    Write = 32786,
    Com1 = 32787, // COMn is Com1 + n - 1
    Com8 = Com1 + 7,
    Embed = 32796,
    Language = 32797,
    Help = 32798,
    PttId = 32799,
    VerifyAfterWrite = 32820,
    BackupBeforeWrite = 32821,
    CompareWithRadio = 32822,
    FileCompare = 32823,
    FileOpenBackup = 32824,
    InsertChannel = 32830,
    MoveUp = 32831,
    MoveDown = 32832,
    ImportChannels = 32833,
    ExportChannels = 32834,
    DeleteChannel = 32835,
    CheckCable = 32840,
    ChooseDevice = 32841,
    ResumeAfterFault = 32842,
    ThemeSystem = 32843, // View > Theme: System, Light, Dark in this order
    ThemeLight = 32844,
    ThemeDark = 32845,
    ProgramSeveral = 32850,
    WriteChangedOnly = 32851,
    SetSelectedCells = 32860,
    FillDown = 32861,
    FillFrequencies = 32862,
    CheckChannels = 32880,
    PrintBandChart = 32881,
    CheckBeforeWrite = 32882,
    SortChannels = 32870,
    EditFind = 32871,
    FindNext = 32872, // F3 and Shift+F3: keys without a menu item
    FindPrevious = 32873,

    EditClear = 57632,
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    EditSelectAll = 57642,
    EditUndo = 57643,
    EditRedo = 57644,

    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,
    AppAbout = 57664,
    AppExit = 57665,
    NextPane = 57680,
    PrevPane = 57681,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
};

} // namespace kdw::cmd

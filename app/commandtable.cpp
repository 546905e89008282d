#include "app/commandtable.h"

#include "core/image/programdoc.h"
#include "core/program/appcontext.h"
#include "core/program/theme.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"
#include "gui/frame/apptheme.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenthistory.h"
#include "gui/frame/languagecommand.h"
#include "gui/frame/mainframe.h"
#include "gui/frame/recentfiles.h"
#include "gui/grid/checkpanel.h"
#include "gui/grid/csvcommands.h"
#include "gui/grid/findbar.h"
#include "gui/grid/programview.h"
#include "gui/link/portcommands.h"
#include "gui/link/transfercommands.h"
#include "gui/settings/settingscommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kdw {

namespace {

void bindEditCommands(CMainFrame &frame, CProgramView &view)
{
    const std::pair<int, void (CProgramView::*)()> edits[] = {
        {cmd::EditUndo, &CProgramView::OnEditUndo},
        {cmd::EditRedo, &CProgramView::OnEditRedo},
        {cmd::EditCut, &CProgramView::OnEditCut},
        {cmd::EditCopy, &CProgramView::OnEditCopy},
        {cmd::EditPaste, &CProgramView::OnEditPaste},
        {cmd::EditClear, &CProgramView::OnEditClear},
        {cmd::EditSelectAll, &CProgramView::OnEditSelectAll},
        {cmd::InsertChannel, &CProgramView::OnInsertChannel},
        {cmd::DeleteChannel, &CProgramView::OnDeleteChannel},
        {cmd::MoveUp, &CProgramView::OnMoveUp},
        {cmd::MoveDown, &CProgramView::OnMoveDown},
        {cmd::SetSelectedCells, &CProgramView::OnSetSelectedCells},
        {cmd::FillDown, &CProgramView::OnFillDown},
        {cmd::FillFrequencies, &CProgramView::OnFillFrequencies},
        {cmd::SortChannels, &CProgramView::OnSortChannels},
    };
    for (const auto &[id, handler] : edits)
        frame.bindCommand(id, &view, handler);
    // Ctrl with either Enter key; the menu shows the keypad's, named Enter.
    frame.action(cmd::SetSelectedCells)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    CFindBar *find = view.findBar();
    frame.bindCommand(cmd::EditFind, find, &CFindBar::open);
    frame.bindCommand(cmd::FindNext, find, &CFindBar::findNext);
    frame.bindCommand(cmd::FindPrevious, find, &CFindBar::findPrevious);
    // Undo and Redo are greyed while there is nothing to undo or redo.
    DocumentHistory &history = view.history();
    QAction *undo = frame.action(cmd::EditUndo);
    QAction *redo = frame.action(cmd::EditRedo);
    undo->setEnabled(history.canUndo());
    redo->setEnabled(history.canRedo());
    QObject::connect(&history, &DocumentHistory::canUndoChanged, undo, &QAction::setEnabled);
    QObject::connect(&history, &DocumentHistory::canRedoChanged, redo, &QAction::setEnabled);
}

// A check item of the menu: shows `on`, and hands every change to `store`.
void bindCheckItem(CMainFrame &frame, int id, bool on, TransferCommands *receiver,
                   void (TransferCommands::*store)(bool))
{
    QAction *a = frame.action(id);
    a->setCheckable(true);
    a->setChecked(on);
    a->setEnabled(true);
    QObject::connect(a, &QAction::toggled, receiver, store);
}

// View > Theme: the kept theme checked; a choice is applied at once and kept
// for the next start.
void bindThemeItems(CMainFrame &frame, CIniFile &config)
{
    const Theme kept = readTheme(config);
    const std::pair<int, Theme> items[] = {
        {cmd::ThemeSystem, Theme::System},
        {cmd::ThemeLight, Theme::Light},
        {cmd::ThemeDark, Theme::Dark},
    };
    for (const auto &[id, theme] : items) {
        QAction *a = frame.action(id);
        a->setChecked(theme == kept);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, &frame, [&config, theme = theme] {
            applyTheme(theme);
            (void)writeTheme(config, theme);
        });
    }
}

// View > Check Channels and its panel under the grid, shown as it was left;
// File > Print Band Chart, kept in Program.ini.
void bindCheckPanel(const CommandTargets &targets)
{
    CMainFrame &frame = targets.frame;
    auto *panel = new CCheckPanel(targets.document, targets.view, targets.context.config, &frame);
    frame.addDockWidget(Qt::BottomDockWidgetArea, panel);
    panel->restoreShown();
    QAction *item = frame.action(cmd::CheckChannels);
    item->setCheckable(true);
    item->setChecked(!panel->isHidden());
    frame.bindCommand(cmd::CheckChannels, panel, [panel, item] {
        panel->OnCheckChannels();
        item->setChecked(!panel->isHidden());
    });
    QObject::connect(panel, &QDockWidget::visibilityChanged, item,
                     [panel, item] { item->setChecked(!panel->isHidden()); });

    CIniFile &config = targets.context.config;
    CProgramView &view = targets.view;
    QAction *print = frame.action(cmd::PrintBandChart);
    print->setCheckable(true);
    print->setChecked(readFlag(config, programini::Section, programini::PrintBandChart, false));
    print->setEnabled(true);
    view.setPrintBandChart(print->isChecked());
    QObject::connect(print, &QAction::toggled, &view, [&view, &config](bool on) {
        view.setPrintBandChart(on);
        (void)writeFlag(config, programini::Section, programini::PrintBandChart, on);
    });
}

} // namespace

void bindCommands(const CommandTargets &targets)
{
    CMainFrame &frame = targets.frame;
    CProgramView *view = &targets.view;
    DocumentCommands *documents = &targets.documents;
    AppContext &context = targets.context;

    frame.bindCommand(cmd::FileNew, documents, &DocumentCommands::OnFileNew);
    frame.bindCommand(cmd::FileOpen, documents, &DocumentCommands::OnFileOpen);
    frame.bindCommand(cmd::FileSave, view, &CProgramView::OnFileSave);
    frame.bindCommand(cmd::FileSaveAs, view, &CProgramView::OnFileSaveAs);
    frame.bindCommand(cmd::FileOpenBackup, documents, &DocumentCommands::OnFileOpenBackup);
    frame.bindCommand(cmd::FileCompare, documents, &DocumentCommands::OnFileCompare);
    new RecentFilesMenu(frame.menuBar()->actions().first()->menu(), frame.action(cmd::AppExit), context.config,
                        *documents, context.language);
    frame.bindCommand(cmd::Language, view,
                      [view, documents, &context] { runLanguageCommand(view, *documents, context); });
    frame.bindCommand(cmd::Help, view, &CProgramView::OnHelp);
    frame.bindCommand(cmd::FilePrint, view, &CProgramView::OnFilePrint);
    frame.bindCommand(cmd::FilePrintPreview, view, &CProgramView::OnFilePrintPreview);
    frame.bindCommand(cmd::FilePrintSetup, view, &CProgramView::OnFilePrintSetup);

    bindEditCommands(frame, *view);
    auto *csv = new CsvCommands(targets.document, *documents, &frame);
    frame.bindCommand(cmd::ImportChannels, csv, &CsvCommands::OnImportChannels);
    frame.bindCommand(cmd::ExportChannels, csv, &CsvCommands::OnExportChannels);

    auto *transfers = new TransferCommands(context, targets.document, *documents, &frame);
    frame.bindCommand(cmd::Read, transfers, &TransferCommands::OnRead);
    frame.bindCommand(cmd::Write, transfers, &TransferCommands::OnWrite);
    frame.bindCommand(cmd::CompareWithRadio, transfers, &TransferCommands::OnCompareWithRadio);
    frame.bindCommand(cmd::ProgramSeveral, transfers, &TransferCommands::OnProgramSeveral);
    bindCheckItem(frame, cmd::VerifyAfterWrite, transfers->options().verifyAfterWrite, transfers,
                  &TransferCommands::setVerifyAfterWrite);
    bindCheckItem(frame, cmd::BackupBeforeWrite, transfers->options().backupBeforeWrite, transfers,
                  &TransferCommands::setBackupBeforeWrite);
    bindCheckItem(frame, cmd::WriteChangedOnly, transfers->options().writeChangedOnly, transfers,
                  &TransferCommands::setWriteChangedOnly);
    bindCheckItem(frame, cmd::ResumeAfterFault, transfers->options().resumeAfterFault, transfers,
                  &TransferCommands::setResumeAfterFault);
    bindCheckItem(frame, cmd::CheckBeforeWrite, transfers->options().checkBeforeWrite, transfers,
                  &TransferCommands::setCheckBeforeWrite);
    bindCheckPanel(targets);

    new PortCommands(context, frame);
    bindThemeItems(frame, context.config);

    auto *settings = new SettingsCommands(targets.document, documents->history(), &frame);
    frame.bindCommand(cmd::Option, settings, &SettingsCommands::OnOption);
    frame.bindCommand(cmd::PttId, settings, &SettingsCommands::OnPttId);
    frame.bindCommand(cmd::Embed, settings, &SettingsCommands::OnEmbed);
}

} // namespace kdw

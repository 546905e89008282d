#include "gui/frame/mainframe.h"

#include "gui/frame/commandids.h"
#include "gui/frame/stringtable.h"
#include "gui/frame/toolbarart.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

namespace kdw {

namespace {

// Texts of menu 128, translated by the bundle (context "Menu128").
QString menuText(const char *text)
{
    return QCoreApplication::translate("Menu128", text);
}

// The bundle stores "&New\tCtrl+N": the text after the tab is the shortcut
// shown, which Qt draws itself from the action's shortcut.
QString itemText(const QString &stored)
{
    return stored.section(u'\t', 0, 0);
}

constexpr int IndicatorIds[] = {59137, 59138, 59139}; // CAP, NUM, SCRL

struct MenuItem
{
    int id; // 0: separator
    const char *text;
    QKeySequence key;
};
struct Menu
{
    const char *title;
    std::vector<MenuItem> items;
};

// Menu 128: the menu bar's titles and items, each with its accelerator.
// NOLINTNEXTLINE(readability-function-size): a data table, one line an item
const std::vector<Menu> &menuBar128()
{
    static const std::vector<Menu> menus = {
        {QT_TRANSLATE_NOOP("Menu128", "&File"),
         {{cmd::FileNew, QT_TRANSLATE_NOOP("Menu128", "&New\tCtrl+N"), QKeySequence(Qt::CTRL | Qt::Key_N)},
          {cmd::FileOpen, QT_TRANSLATE_NOOP("Menu128", "&Open...\tCtrl+O"), QKeySequence(Qt::CTRL | Qt::Key_O)},
          {cmd::FileSave, QT_TRANSLATE_NOOP("Menu128", "&Save\tCtrl+S"), QKeySequence(Qt::CTRL | Qt::Key_S)},
          {cmd::FileSaveAs, QT_TRANSLATE_NOOP("Menu128", "Save &As..."),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
          {0, nullptr, {}},
          {cmd::FileOpenBackup, QT_TRANSLATE_NOOP("Menu128", "Open &Backup..."), {}},
          {cmd::FileCompare, QT_TRANSLATE_NOOP("Menu128", "Co&mpare with File..."), {}},
          {0, nullptr, {}},
          {cmd::ImportChannels, QT_TRANSLATE_NOOP("Menu128", "&Import Channels..."), {}},
          {cmd::ExportChannels, QT_TRANSLATE_NOOP("Menu128", "&Export Channels..."), {}},
          {0, nullptr, {}},
          {cmd::FilePrint, QT_TRANSLATE_NOOP("Menu128", "&Print...\tCtrl+P"), QKeySequence(Qt::CTRL | Qt::Key_P)},
          {cmd::FilePrintPreview, QT_TRANSLATE_NOOP("Menu128", "Print Pre&view"), {}},
          {cmd::FilePrintSetup, QT_TRANSLATE_NOOP("Menu128", "P&rint Setup..."), {}},
          {cmd::PrintBandChart, QT_TRANSLATE_NOOP("Menu128", "Print Band &Chart"), {}},
          {0, nullptr, {}},
          {cmd::AppExit, QT_TRANSLATE_NOOP("Menu128", "E&xit"), {}}}},
        {QT_TRANSLATE_NOOP("Menu128", "&Edit"),
         {{cmd::EditUndo, QT_TRANSLATE_NOOP("Menu128", "&Undo\tCtrl+Z"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
          {cmd::EditRedo, QT_TRANSLATE_NOOP("Menu128", "&Redo\tCtrl+Y"), QKeySequence(Qt::CTRL | Qt::Key_Y)},
          {0, nullptr, {}},
          {cmd::EditCut, QT_TRANSLATE_NOOP("Menu128", "Cu&t\tCtrl+X"), QKeySequence(Qt::CTRL | Qt::Key_X)},
          {cmd::EditCopy, QT_TRANSLATE_NOOP("Menu128", "&Copy\tCtrl+C"), QKeySequence(Qt::CTRL | Qt::Key_C)},
          {cmd::EditPaste, QT_TRANSLATE_NOOP("Menu128", "&Paste\tCtrl+V"), QKeySequence(Qt::CTRL | Qt::Key_V)},
          {cmd::EditClear, QT_TRANSLATE_NOOP("Menu128", "&Delete\tDel"), QKeySequence(Qt::Key_Delete)},
          {0, nullptr, {}},
          {cmd::InsertChannel, QT_TRANSLATE_NOOP("Menu128", "&Insert Channel\tCtrl+Ins"),
           QKeySequence(Qt::CTRL | Qt::Key_Insert)},
          {cmd::DeleteChannel, QT_TRANSLATE_NOOP("Menu128", "D&elete Channel\tCtrl+Del"),
           QKeySequence(Qt::CTRL | Qt::Key_Delete)},
          {cmd::MoveUp, QT_TRANSLATE_NOOP("Menu128", "&Move Up\tCtrl+Up"), QKeySequence(Qt::CTRL | Qt::Key_Up)},
          {cmd::MoveDown, QT_TRANSLATE_NOOP("Menu128", "Move Do&wn\tCtrl+Down"), QKeySequence(Qt::CTRL | Qt::Key_Down)},
          {0, nullptr, {}},
          {cmd::EditSelectAll, QT_TRANSLATE_NOOP("Menu128", "Select &All\tCtrl+A"), QKeySequence(Qt::CTRL | Qt::Key_A)},
          {0, nullptr, {}},
          {cmd::SetSelectedCells, QT_TRANSLATE_NOOP("Menu128", "Set Selected Ce&lls\tCtrl+Enter"),
           QKeySequence(Qt::CTRL | Qt::Key_Return)},
          {cmd::FillDown, QT_TRANSLATE_NOOP("Menu128", "Fill Dow&n\tCtrl+D"), QKeySequence(Qt::CTRL | Qt::Key_D)},
          {cmd::FillFrequencies, QT_TRANSLATE_NOOP("Menu128", "Fill Fre&quencies..."), {}},
          {0, nullptr, {}},
          {cmd::SortChannels, QT_TRANSLATE_NOOP("Menu128", "&Sort Channels..."), {}},
          {cmd::EditFind, QT_TRANSLATE_NOOP("Menu128", "&Find...\tCtrl+F"), QKeySequence(Qt::CTRL | Qt::Key_F)}}},
        {QT_TRANSLATE_NOOP("Menu128", "&Program"),
         {{cmd::Read, QT_TRANSLATE_NOOP("Menu128", "&Read\tCtrl+R"), QKeySequence(Qt::CTRL | Qt::Key_R)},
          {cmd::Write, QT_TRANSLATE_NOOP("Menu128", "&Write\tCtrl+W"), QKeySequence(Qt::CTRL | Qt::Key_W)},
          {cmd::CompareWithRadio, QT_TRANSLATE_NOOP("Menu128", "&Compare with Radio..."), {}},
          {cmd::CheckCable, QT_TRANSLATE_NOOP("Menu128", "Check Cable and Radi&o..."), {}},
          {cmd::ProgramSeveral, QT_TRANSLATE_NOOP("Menu128", "Program &Several Radios..."), {}},
          {0, nullptr, {}},
          {cmd::VerifyAfterWrite, QT_TRANSLATE_NOOP("Menu128", "&Verify After Write"), {}},
          {cmd::BackupBeforeWrite, QT_TRANSLATE_NOOP("Menu128", "&Back Up Before Write"), {}},
          {cmd::WriteChangedOnly, QT_TRANSLATE_NOOP("Menu128", "Write Only Changed B&locks"), {}},
          {cmd::ResumeAfterFault, QT_TRANSLATE_NOOP("Menu128", "Resume After a &Fault"), {}},
          {cmd::CheckBeforeWrite, QT_TRANSLATE_NOOP("Menu128", "C&heck Channels Before Write"), {}},
          {0, nullptr, {}},
          {cmd::PttId, QT_TRANSLATE_NOOP("Menu128", "PTTID"), {}},
          {cmd::Option, QT_TRANSLATE_NOOP("Menu128", "Option"), {}}}},
        {QT_TRANSLATE_NOOP("Menu128", "Setting"),
         {{cmd::Embed, QT_TRANSLATE_NOOP("Menu128", "Embed"), {}},
          {cmd::Language, QT_TRANSLATE_NOOP("Menu128", "Language"), {}}}},
        {QT_TRANSLATE_NOOP("Menu128", "Port"),
         {{cmd::Com1, "COM1", {}},
          {cmd::Com1 + 1, "COM2", {}},
          {cmd::Com1 + 2, "COM3", {}},
          {cmd::Com1 + 3, "COM4", {}},
          {cmd::Com1 + 4, "COM5", {}},
          {cmd::Com1 + 5, "COM6", {}},
          {cmd::Com1 + 6, "COM7", {}},
          {cmd::Com1 + 7, "COM8", {}},
          {0, nullptr, {}},
          {cmd::ChooseDevice, QT_TRANSLATE_NOOP("Menu128", "Choose &Device..."), {}}}},
        {QT_TRANSLATE_NOOP("Menu128", "&View"),
         {{cmd::ViewToolbar, QT_TRANSLATE_NOOP("Menu128", "&Toolbar"), {}},
          {cmd::ViewStatusBar, QT_TRANSLATE_NOOP("Menu128", "&Status Bar"), {}},
          {cmd::CheckChannels, QT_TRANSLATE_NOOP("Menu128", "&Check Channels\tF7"), QKeySequence(Qt::Key_F7)}}},
        {QT_TRANSLATE_NOOP("Menu128", "Help"),
         {{cmd::AppAbout, QT_TRANSLATE_NOOP("Menu128", "About"), {}},
          {cmd::Help, QT_TRANSLATE_NOOP("Menu128", "Help"), QKeySequence(Qt::Key_F1)}}},
    };
    return menus;
}

} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
    // The template's window title until a document names itself in it.
    setWindowTitle(templateField(0));
    setWindowIcon(programIcon());
    resize(800, 600);
    createMenus();
    createToolBar();
    createStatusBar();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

QAction *CMainFrame::makeCommand(int id, const QString &stored)
{
    auto *a = new QAction(itemText(stored), this);
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    a->setData(id);
    const CommandStrings strings = commandStrings(id);
    a->setStatusTip(strings.prompt);
    a->setToolTip(strings.toolTip.isEmpty() ? QString() : strings.toolTip);
    a->setEnabled(false);
    m_actions.insert(id, a);
    return a;
}

void CMainFrame::createMenus()
{
    for (const Menu &m : menuBar128()) {
        QMenu *menu = menuBar()->addMenu(menuText(m.title));
        if (m.items.front().id == cmd::ViewToolbar)
            m_viewMenu = menu;
        for (const MenuItem &item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            // Port names are not translated.
            const bool isPort = item.id >= cmd::Com1 && item.id <= cmd::Com8;
            QAction *a = makeCommand(item.id, isPort ? QString::fromLatin1(item.text) : menuText(item.text));
            a->setShortcut(item.key);
            a->setShortcutContext(Qt::ApplicationShortcut);
            menu->addAction(a);
        }
    }

    createThemeMenu();

    // Accelerators without a menu item. F6 and Shift+F6 move between panes;
    // the frame has a single view, so they do nothing. F3 and Shift+F3 go to
    // the next and previous match of Edit > Find.
    for (const auto &[id, key] : {std::pair{cmd::NextPane, QKeySequence(Qt::Key_F6)},
                                  std::pair{cmd::PrevPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
                                  std::pair{cmd::FindNext, QKeySequence(Qt::Key_F3)},
                                  std::pair{cmd::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)}}) {
        QAction *a = makeCommand(id, {});
        a->setShortcut(key);
        a->setEnabled(true);
        addAction(a);
    }

    // Redo answers to both keys editors know it by.
    action(cmd::EditRedo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    QAction *exit = action(cmd::AppExit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    exit->setEnabled(true);

    QAction *statusBarToggle = action(cmd::ViewStatusBar);
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    statusBarToggle->setEnabled(true);
    connect(statusBarToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

void CMainFrame::createThemeMenu()
{
    // View > Theme: one of three, checked like radio buttons.
    QMenu *themes = m_viewMenu->addMenu(menuText(QT_TRANSLATE_NOOP("Menu128", "T&heme")));
    auto *group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    const std::pair<int, const char *> items[] = {
        {cmd::ThemeSystem, QT_TRANSLATE_NOOP("Menu128", "&System")},
        {cmd::ThemeLight, QT_TRANSLATE_NOOP("Menu128", "&Light")},
        {cmd::ThemeDark, QT_TRANSLATE_NOOP("Menu128", "&Dark")},
    };
    for (const auto &[id, text] : items) {
        QAction *a = makeCommand(id, menuText(text));
        a->setCheckable(true);
        group->addAction(a);
        themes->addAction(a);
    }
}

void CMainFrame::createToolBar()
{
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar59392"));
    m_wndToolBar->setIconSize(QSize(ToolbarImageSize, ToolbarImageSize));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    const int buttons[]
        = {cmd::FileNew,  cmd::FileOpen, cmd::FileSave, 0, cmd::Read, cmd::Write, 0, cmd::FilePrint, cmd::AppAbout, 0,
           cmd::EditUndo, cmd::EditRedo};
    for (int id : buttons) {
        if (id == 0)
            m_wndToolBar->addSeparator();
        else
            m_wndToolBar->addAction(action(id));
    }
    showToolbarImages();
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);

    // View > Toolbar shows and hides the toolbar with a check mark.
    QAction *toggle = action(cmd::ViewToolbar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    toggle->setEnabled(true);
    connect(toggle, &QAction::toggled, m_wndToolBar, &QWidget::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool visible) {
        if (!isVisible())
            return; // the window itself is hidden, not the toolbar
        toggle->setChecked(visible);
    });
}

void CMainFrame::showToolbarImages()
{
    const QList<QIcon> icons = toolbarIcons(palette().color(QPalette::Window));
    qsizetype image = 0;
    for (QAction *a : m_wndToolBar->actions()) {
        if (!a->isSeparator() && image < icons.size())
            a->setIcon(icons.at(image++));
    }
}

void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The images follow the theme: strokes drawn for a light toolbar or a dark one.
    if (event->type() == QEvent::PaletteChange && m_wndToolBar)
        showToolbarImages();
}

void CMainFrame::createStatusBar()
{
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("statusbar59393"));
    for (int id : IndicatorIds) {
        auto *label = new QLabel(loadString(id), m_wndStatusBar);
        label->setObjectName(QStringLiteral("indicator%1").arg(id));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        // The text with half an average character's room at each end, so no
        // glyph's overhang reaches the frame.
        const QFontMetrics metrics = label->fontMetrics();
        label->setMinimumWidth(metrics.horizontalAdvance(label->text()) + metrics.averageCharWidth()
                               + 2 * label->frameWidth());
        // Greyed while the lock is off; lit when the key turns it on.
        label->setEnabled(false);
        m_wndStatusBar->addPermanentWidget(label);
        m_indicators.append(label);
    }
}

QLabel *CMainFrame::indicator(int stringId) const
{
    for (int i = 0; i < 3; ++i) {
        if (IndicatorIds[i] == stringId)
            return m_indicators.at(i);
    }
    return nullptr;
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Qt offers no portable query of the lock keys' state, so the indicators
    // follow the lock keys as they are pressed while the program runs.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int index = key == Qt::Key_CapsLock ? 0 : key == Qt::Key_NumLock ? 1 : key == Qt::Key_ScrollLock ? 2 : -1;
        if (index >= 0 && watched == QApplication::focusWidget())
            m_indicators.at(index)->setEnabled(!m_indicators.at(index)->isEnabled());
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Centred when first shown; from then on the window stays where the user
    // put it.
    if (m_centreOnShow && !isMaximized())
        centreOnScreen();
    m_centreOnShow = false;
}

WindowPlacement CMainFrame::placement() const
{
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    return {normal ? geometry() : normalGeometry(), bool(windowState() & Qt::WindowMaximized)};
}

void CMainFrame::restorePlacement(const WindowPlacement &placement)
{
    QRect normal = placement.normal;
    const QScreen *primary = QGuiApplication::primaryScreen();
    bool onScreen = false;
    for (const QScreen *screen : QGuiApplication::screens()) {
        // Enough of the window to take hold of and drag back.
        const QRect seen = screen->availableGeometry().intersected(normal);
        onScreen = onScreen || (seen.width() >= 50 && seen.height() >= 20);
    }
    if (primary && !onScreen) {
        const QRect available = primary->availableGeometry();
        // The title and borders fit too: the system's frame is known once
        // the window exists.
        winId();
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        QRect outer(QPoint(), normal.size().grownBy(frame).boundedTo(available.size()));
        outer.moveCenter(available.center());
        normal = outer.marginsRemoved(frame);
    }
    setGeometry(normal);
    setWindowState(placement.maximized ? Qt::WindowMaximized : Qt::WindowNoState);
    m_centreOnShow = false;
}

void CMainFrame::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace kdw

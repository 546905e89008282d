#pragma once

#include "core/program/windowplacement.h"

#include <QAction>
#include <QHash>
#include <QMainWindow>

#include <functional>

class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace kdw {

// The program's only top-level window: menu bar, toolbar, status bar and the
// channel form in its client area. Every command is a QAction keyed by its
// command id; a command stays disabled until a handler is bound to it.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    QAction *action(int id) const { return m_actions.value(id); }

    // Binds a command to its handler and enables it.
    template <typename Receiver, typename Func>
    void bindCommand(int id, const Receiver *context, Func handler)
    {
        QAction *a = action(id);
        Q_ASSERT(a);
        connect(a, &QAction::triggered, context, handler);
        a->setEnabled(true);
    }

    // Asked before the window closes; returning false keeps it open (the
    // document's save prompt).
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

    // Size, place and state, as Program.ini keeps them between runs.
    WindowPlacement placement() const;
    // Takes a kept placement in place of the start size and the centring. A
    // place on no screen (one since unplugged) is centred on the primary
    // screen, no larger than it.
    void restorePlacement(const WindowPlacement &placement);

    QToolBar *toolBar() const { return m_wndToolBar; }
    QLabel *indicator(int stringId) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeCommand(int id, const QString &text);
    void createMenus();
    void createThemeMenu();
    void createToolBar();
    void showToolbarImages();
    void createStatusBar();
    void centreOnScreen();

    QHash<int, QAction *> m_actions;
    QMenu *m_viewMenu = nullptr;
    QToolBar *m_wndToolBar = nullptr;
    QStatusBar *m_wndStatusBar = nullptr;
    QList<QLabel *> m_indicators;
    std::function<bool()> m_closeGuard;
    bool m_centreOnShow = true; // till the first show, unless a placement was restored
};

} // namespace kdw

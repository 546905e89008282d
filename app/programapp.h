#pragma once

#include "core/image/memoryimage.h"
#include "core/program/appcontext.h"
#include "core/program/startup.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace kdw {

class CMainFrame;
class CProgramDoc;
class CProgramView;
class DocumentCommands;

// The application object: starts the program in its fixed order and writes
// the port name back at exit. It runs no transfers and paints nothing. It
// owns the image of the document and the context its windows are given.
class CProgramApp : public QObject
{
    Q_OBJECT

public:
    // The program directory is the executable's own; tests give another.
    explicit CProgramApp(QString programDirectory = {});
    ~CProgramApp() override;

    // False ends the program at once (no language bundle, or a file given on
    // the command line that cannot be opened).
    bool InitInstance(const QStringList &arguments);
    // The exit step; returns `exitCode` unchanged.
    int ExitInstance(int exitCode);

    void OnAppAbout();

    CMainFrame *mainFrame() const { return m_pMainWnd.get(); }
    CProgramDoc *document() const { return m_doc.get(); }
    CProgramView *view() const { return m_view; }
    DocumentCommands *documentCommands() const { return m_commands; }
    AppContext &context() { return m_context; }

private:
    AppContext m_context;
    LanguageBundle m_languageBundle;
    MemoryImage m_image;
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    CProgramView *m_view = nullptr;
    DocumentCommands *m_commands = nullptr;
    bool m_shown = false; // the main window was shown: its placement is kept at exit
};

} // namespace kdw

#pragma once

namespace kdw {

struct AppContext;
class CMainFrame;
class CProgramDoc;
class CProgramView;
class DocumentCommands;

// What the commands act on, as the application object built them.
struct CommandTargets
{
    CMainFrame &frame;
    CProgramDoc &document;
    CProgramView &view;
    DocumentCommands &documents;
    AppContext &context;
};

// Binds every command of the main frame but About (the application object's
// own) to its handler in the form view, the document commands or the frame.
// Commands without a handler stay disabled.
void bindCommands(const CommandTargets &targets);

} // namespace kdw

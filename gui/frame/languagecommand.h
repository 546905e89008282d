#pragma once

class QWidget;

namespace kdw {

struct AppContext;
class DocumentCommands;

// The Language command: on a new choice, asks whether to save a modified
// document (Cancel keeps everything as it is), stores the choice and the
// port in the context's Program.ini, starts the program again and quits.
void runLanguageCommand(QWidget *owner, DocumentCommands &documents, const AppContext &context);

} // namespace kdw

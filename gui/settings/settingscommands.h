#pragma once

#include <QObject>

class QWidget;

namespace kdw {

class CProgramDoc;
class DocumentHistory;

// Program > Option, Program > PTTID and Setting > Embed: each runs its dialog
// modally over the document's image; a dialog closed with a control changed
// is one undo step.
class SettingsCommands : public QObject
{
    Q_OBJECT

public:
    SettingsCommands(CProgramDoc &doc, DocumentHistory &history, QWidget *window);

    void OnOption();
    void OnPttId();
    void OnEmbed();

private:
    template <typename Dialog>
    void run();

    CProgramDoc &m_doc;
    DocumentHistory &m_history;
    QWidget *m_window;
};

} // namespace kdw

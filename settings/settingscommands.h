#pragma once

#include <QObject>

class QWidget;

namespace kdw {

class CProgramDoc;

// Program > Option, Program > PTTID and Setting > Embed: each runs its dialog
// modally over the document's image and marks the document modified when the
// dialog changed a byte.
class SettingsCommands : public QObject
{
    Q_OBJECT

public:
    SettingsCommands(CProgramDoc &doc, QWidget *window);

    void OnOption();
    void OnPttId();
    void OnEmbed();

private:
    template <typename Dialog> void run();

    CProgramDoc &m_doc;
    QWidget *m_window;
};

} // namespace kdw

#pragma once

#include "channels/csvfile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace kdw {

class CProgramView;

// File > Import Channels and Export Channels: a CSV file in the grid's own
// format or the generic one, chosen by the file dialog's filter. An import
// is one undo step and changes nothing when any line is refused.
class CsvCommands : public QObject
{
    Q_OBJECT

public:
    CsvCommands(CProgramView &view, QWidget *window);

    struct Choice
    {
        QString path;
        ChannelCsvFormat format;
    };
    // Asks for a file and its format; tests replace it. nullopt: cancelled.
    using Prompt = std::function<std::optional<Choice>(bool forSave)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }

    void OnImportChannels();
    void OnExportChannels();

private:
    std::optional<Choice> ask(bool forSave);

    CProgramView &m_view;
    QWidget *m_window;
    Prompt m_prompt;
};

} // namespace kdw

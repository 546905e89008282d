#pragma once

#include "core/channels/csvfile.h"

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

namespace kdw {

class CProgramDoc;
class DocumentCommands;

// File > Import Channels and Export Channels: a CSV file in the grid's own
// format or the generic one. An import recognises the format by the file's
// first line, is one undo step and changes nothing when the file is not whole.
// A grid file is refused for any line it cannot take, else ends with a message
// saying what it read and which channels in use it left empty; a generic file
// is summed up first (CImportSummaryDlg) and comes in with Import. An export writes the format of the
// file dialog's filter, which the next export offers again.
class CsvCommands : public QObject
{
    Q_OBJECT

public:
    CsvCommands(CProgramDoc &doc, DocumentCommands &documents, QWidget *window);

    void OnImportChannels();
    void OnExportChannels();

private:
    // The file dialog starts in the document's folder, else the one used last,
    // else the home folder.
    QString startFolder() const;
    // Runs the dialog; the chosen path, empty when cancelled. Its folder is
    // the one used last when no document names one.
    QString choose(QFileDialog &dialog);

    CProgramDoc &m_doc;
    DocumentCommands &m_documents;
    QWidget *m_window;
    QString m_lastFolder;
    ChannelCsvFormat m_exportFormat = ChannelCsvFormat::Grid;
};

} // namespace kdw

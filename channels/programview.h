#pragma once

#include <QWidget>

namespace kdw {

class CProgramDoc;
class DocumentCommands;

// The channel form in the main window's client area. It owns the grid that
// is the working copy of the 99 channels: the grid load fills it from the
// image after New, Open, Read and Default Factory; the grid store writes it
// back before Save, Save As, Read and Write.
class CProgramView : public QWidget
{
    Q_OBJECT

public:
    CProgramView(CProgramDoc &doc, DocumentCommands &commands, QWidget *parent = nullptr);

    CProgramDoc &document() { return m_doc; }

    void gridLoad();
    void gridStore();

    void OnFileSave();
    void OnFileSaveAs();
    void OnLanguage();
    void OnHelp();

private:
    CProgramDoc &m_doc;
    DocumentCommands &m_commands;
};

} // namespace kdw

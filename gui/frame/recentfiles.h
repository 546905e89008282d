#pragma once

#include "core/text/language.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

class QAction;
class QMenu;

namespace kdw {

class CIniFile;
class DocumentCommands;

// File's recent files: up to four items above Exit ("&1 /home/ann/plan.sin"),
// the newest first, kept in Program.ini. An item opens its file as File >
// Open does, the save question first; a file that is gone is said and taken
// off the list. The list is read and the items made when the menu first opens.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    RecentFilesMenu(QMenu *fileMenu, QAction *exit, CIniFile &config, DocumentCommands &documents, Language language);

    // The files as the menu lists them.
    QStringList files();

private:
    void noteFile(const QString &path);
    void open(const QString &path);
    void setFiles(const QStringList &files);
    void showItems();

    QMenu *m_menu;
    QAction *m_exit;
    CIniFile &m_config;
    DocumentCommands &m_documents;
    Language m_language;
    std::optional<QStringList> m_files; // read at the first use
    QList<QAction *> m_items;
    QAction *m_separator = nullptr;
};

} // namespace kdw

#include "gui/frame/recentfiles.h"

#include "core/program/recentfiles.h"
#include "core/text/inifile.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace kdw {

namespace {

constexpr LocalisedText FileGone{u"%1 is no longer there. It is taken off the list of recent files.",
                                 u"%1 已不存在，已从最近使用的文件列表中删除。",
                                 u"%1 已不存在，已從最近使用的檔案清單中刪除。"};

// The characters of a path an item shows.
constexpr qsizetype LongestShown = 60;

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu *fileMenu, QAction *exit, CIniFile &config, DocumentCommands &documents,
                                 Language language)
    : QObject(fileMenu)
    , m_menu(fileMenu)
    , m_exit(exit)
    , m_config(config)
    , m_documents(documents)
    , m_language(language)
{
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFilesMenu::showItems);
    connect(&m_documents, &DocumentCommands::fileUsed, this, &RecentFilesMenu::noteFile);
}

QStringList RecentFilesMenu::files()
{
    if (!m_files)
        m_files = readRecentFiles(m_config);
    return *m_files;
}

void RecentFilesMenu::noteFile(const QString &path)
{
    setFiles(withRecentFile(files(), path));
}

void RecentFilesMenu::setFiles(const QStringList &files)
{
    if (m_files == files)
        return;
    m_files = files;
    // A list that cannot be stored still serves this run.
    (void)writeRecentFiles(m_config, files);
    if (m_separator)
        showItems();
}

void RecentFilesMenu::open(const QString &path)
{
    if (!m_documents.SaveModified())
        return;
    if (!QFileInfo::exists(path)) {
        messageBox(m_menu->parentWidget(), FileGone.text(m_language).arg(QDir::toNativeSeparators(path)));
        QStringList rest = files();
        rest.removeAll(path);
        setFiles(rest);
        return;
    }
    (void)m_documents.OpenDocumentFile(path);
}

void RecentFilesMenu::showItems()
{
    const QStringList list = files();
    if (!m_separator)
        m_separator = m_menu->insertSeparator(m_exit);
    qDeleteAll(m_items);
    m_items.clear();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString &path = list.at(i);
        // "&1 /home/ann/plan.sin": the number is the item's access key. A long
        // path keeps its start and its end, the file's name whole.
        QString shown = QDir::toNativeSeparators(path);
        if (shown.size() > LongestShown) {
            const qsizetype tail = std::max<qsizetype>(LongestShown - 16, QFileInfo(path).fileName().size() + 1);
            shown = shown.left(12) + QStringLiteral("…") + shown.right(tail);
        }
        shown.replace(u'&', QStringLiteral("&&"));
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), m_menu);
        item->setData(path);
        item->setStatusTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { open(path); });
        m_menu->insertAction(m_separator, item);
        m_items.append(item);
    }
    m_separator->setVisible(!list.isEmpty());
}

} // namespace kdw

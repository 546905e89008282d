#include "channels/csvcommands.h"

#include "app/localisedtext.h"
#include "channels/programview.h"
#include "image/programdoc.h"
#include "ui/messagebox.h"

#include <QDir>
#include <QFileDialog>

namespace kdw {

namespace {

constexpr LocalisedText GridFilter{u"Channel table (*.csv)", u"信道表 (*.csv)", u"信道表 (*.csv)"};
constexpr LocalisedText GenericFilter{u"Generic channel CSV (*.csv)", u"通用信道 CSV (*.csv)", u"通用信道 CSV (*.csv)"};
constexpr LocalisedText ImportRefused{u"The channels of \"%1\" were not imported; nothing was changed.\n\n%2",
                                      u"未导入“%1”的信道，没有任何改变。\n\n%2",
                                      u"未匯入「%1」的信道，沒有任何改變。\n\n%2"};
constexpr LocalisedText CannotRead{u"Cannot read the file \"%1\".\n%2", u"无法读取文件“%1”。\n%2",
                                   u"無法讀取檔案「%1」。\n%2"};
constexpr LocalisedText CannotWrite{u"Cannot write the file \"%1\".\n%2\nThe file on disk was not changed.",
                                    u"无法写入文件“%1”。\n%2\n磁盘上的文件没有改变。",
                                    u"無法寫入檔案「%1」。\n%2\n磁碟上的檔案沒有改變。"};
constexpr LocalisedText MoreRefusals{u"... and %1 more", u"……还有 %1 行", u"……還有 %1 行"};
constexpr int ListedRefusals = 20;

} // namespace

CsvCommands::CsvCommands(CProgramView &view, QWidget *window)
    : QObject(window)
    , m_view(view)
    , m_window(window)
{
}

std::optional<CsvCommands::Choice> CsvCommands::ask(bool forSave)
{
    if (m_prompt)
        return m_prompt(forSave);
    const QString grid = GridFilter.text();
    QFileDialog dialog(m_window);
    dialog.setNameFilters({grid, GenericFilter.text()});
    dialog.setAcceptMode(forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Choice{dialog.selectedFiles().first(),
                  dialog.selectedNameFilter() == grid ? ChannelCsvFormat::Grid : ChannelCsvFormat::Generic};
}

void CsvCommands::OnImportChannels()
{
    const auto choice = ask(false);
    if (!choice)
        return;
    const QString shown = QDir::toNativeSeparators(choice->path);
    const quint8 language = m_view.document().languageIndex();
    const TextFileRead file = readUtf8File(choice->path, language);
    if (!file.text) {
        messageBox(m_window, CannotRead.text().arg(shown, file.reason));
        return;
    }
    ChannelCsvImport imported;
    m_view.changeImage([&](MemoryImage &image) {
        imported = importChannelCsv(image, *file.text, choice->format, language, m_view.frequencyRange());
        if (imported)
            image = imported.image;
        return bool(imported);
    });
    if (imported)
        return;
    QStringList listed = imported.refusals.mid(0, ListedRefusals);
    if (imported.refusals.size() > ListedRefusals)
        listed.append(MoreRefusals.text().arg(imported.refusals.size() - ListedRefusals));
    messageBox(m_window, ImportRefused.text().arg(shown, listed.join(u'\n')));
}

void CsvCommands::OnExportChannels()
{
    m_view.commitOpenEditor();
    const auto choice = ask(true);
    if (!choice)
        return;
    CProgramDoc &doc = m_view.document();
    const QString csv = exportChannelCsv(doc.image(), choice->format, doc.languageIndex());
    if (const auto failed = writeUtf8File(choice->path, csv))
        messageBox(m_window, CannotWrite.text().arg(QDir::toNativeSeparators(choice->path), *failed));
}

} // namespace kdw

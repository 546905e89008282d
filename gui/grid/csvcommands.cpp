#include "gui/grid/csvcommands.h"

#include "core/channels/cellcommit.h"
#include "core/channels/channeltablemodel.h"
#include "core/image/programdoc.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"
#include "gui/grid/importsummarydlg.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

constexpr LocalisedText ImportTitle{u"Import Channels", u"导入信道", u"匯入信道"};
constexpr LocalisedText ExportTitle{u"Export Channels", u"导出信道", u"匯出信道"};
constexpr LocalisedText ImportFilter{u"Channel CSV files (*.csv)", u"信道 CSV 文件 (*.csv)", u"信道 CSV 檔案 (*.csv)"};
constexpr LocalisedText GridFilter{u"Channel table (*.csv)", u"信道表 (*.csv)", u"信道表 (*.csv)"};
constexpr LocalisedText GenericFilter{u"Generic channel CSV (*.csv)", u"通用信道 CSV (*.csv)", u"通用信道 CSV (*.csv)"};
constexpr LocalisedText ImportDone{u"The channels of \"%1\" were imported (format: %2).",
                                   u"已导入“%1”的信道（格式：%2）。", u"已匯入「%1」的信道（格式：%2）。"};
constexpr LocalisedText ImportRefused{u"The channels of \"%1\" were not imported; nothing was changed.\n\n%2",
                                      u"未导入“%1”的信道，没有任何改变。\n\n%2",
                                      u"未匯入「%1」的信道，沒有任何改變。\n\n%2"};
constexpr LocalisedText FormatRead{u"Format: %1", u"格式：%1", u"格式：%1"};
constexpr LocalisedText CannotRead{u"Cannot read the file \"%1\".\n%2", u"无法读取文件“%1”。\n%2",
                                   u"無法讀取檔案「%1」。\n%2"};
constexpr LocalisedText CannotWrite{u"Cannot write the file \"%1\".\n%2\nThe file on disk was not changed.",
                                    u"无法写入文件“%1”。\n%2\n磁盘上的文件没有改变。",
                                    u"無法寫入檔案「%1」。\n%2\n磁碟上的檔案沒有改變。"};

} // namespace

CsvCommands::CsvCommands(CProgramDoc &doc, DocumentCommands &documents, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_documents(documents)
    , m_window(window)
{
}

QString CsvCommands::startFolder() const
{
    const QString document = m_doc.GetPathName();
    if (!document.isEmpty() && QFileInfo(document).absoluteDir().exists())
        return QFileInfo(document).absolutePath();
    if (!m_lastFolder.isEmpty() && QDir(m_lastFolder).exists())
        return m_lastFolder;
    return QDir::homePath();
}

QString CsvCommands::choose(QFileDialog &dialog)
{
    dialog.setDefaultSuffix(u"csv"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

void CsvCommands::OnImportChannels()
{
    const Language language = m_doc.language();
    QFileDialog dialog(m_window, ImportTitle.text(language), startFolder());
    dialog.setNameFilter(ImportFilter.text(language));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString path = choose(dialog);
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    const TextFileRead file = readChannelCsvFile(path, language);
    if (!file.text) {
        messageBox(m_window, CannotRead.text(language).arg(shown, file.reason));
        return;
    }
    ChannelCsvImport imported;
    const FrequencyRange range = m_documents.channelTable().frequencyRange();
    const auto format = channelCsvFormat(*file.text);
    bool cancelled = false;
    m_documents.changeImage([&](MemoryImage &image) {
        const auto import = [&](const GenericCsvOptions &options) {
            return importChannelCsv(image, *file.text, format, language, range, options);
        };
        imported = import({});
        // A generic file is summed up before anything changes: which rows
        // fit, which are left out, and where they go.
        if (imported && format == ChannelCsvFormat::Generic) {
            CImportSummaryDlg summary(m_window, import, language);
            cancelled = summary.exec() != QDialog::Accepted;
            imported = summary.result();
            if (cancelled)
                return false;
        }
        if (imported)
            image = imported.image;
        return bool(imported);
    });
    if (cancelled)
        return;
    if (!imported) {
        QString refused = listedLines(imported.refusals, language);
        if (imported.format)
            refused = FormatRead.text(language).arg(channelCsvFormatName(*imported.format, language)) + u'\n' + refused;
        messageBox(m_window, ImportRefused.text(language).arg(shown, refused));
        return;
    }
    if (format == ChannelCsvFormat::Generic)
        return;
    QString done = ImportDone.text(language).arg(shown, channelCsvFormatName(*imported.format, language));
    if (!imported.changes.isEmpty())
        done += u"\n\n"_s + frequencyChangesReport(imported.changes, language);
    if (!imported.emptied.isEmpty())
        done += u"\n\n"_s + emptiedChannelsText(imported.emptied, language);
    messageBox(m_window, done, QMessageBox::Information);
}

void CsvCommands::OnExportChannels()
{
    ChannelTableModel &table = m_documents.channelTable();
    table.finishEditing();
    const Language language = m_doc.language();
    const QString grid = GridFilter.text(language);
    const QString generic = GenericFilter.text(language);
    QFileDialog dialog(m_window, ExportTitle.text(language), startFolder());
    dialog.setNameFilters({grid, generic});
    dialog.selectNameFilter(m_exportFormat == ChannelCsvFormat::Grid ? grid : generic);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (const QString document = m_doc.GetPathName(); !document.isEmpty())
        dialog.selectFile(QFileInfo(document).completeBaseName() + u".csv"_s);
    const QString path = choose(dialog);
    if (path.isEmpty())
        return;
    m_exportFormat = dialog.selectedNameFilter() == generic ? ChannelCsvFormat::Generic : ChannelCsvFormat::Grid;
    // The channels as the grid shows them, with the rest of the document.
    const MemoryImage shown = table.stored();
    const QString csv = exportChannelCsv(shown, m_exportFormat, language);
    if (const auto failed = writeUtf8File(path, csv))
        messageBox(m_window, CannotWrite.text(language).arg(QDir::toNativeSeparators(path), *failed));
}

} // namespace kdw

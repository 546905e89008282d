#include "core/image/programdoc.h"

#include "core/image/backups.h"
#include "core/image/builtindefaults.h"
#include "core/image/identification.h"
#include "core/image/sinfile.h"
#include "core/text/localisedtext.h"

#include <QDir>
#include <QFileInfo>

namespace kdw {

namespace {

constexpr LocalisedText CannotOpenText{u"Cannot open the file \"%1\".\n%2", u"无法打开文件“%1”。\n%2",
                                       u"無法開啟檔案「%1」。\n%2"};
constexpr LocalisedText TooShortText{
    u"\"%1\" is not a channel data file: it holds %2 bytes, a channel data file holds 8192.\n"
    u"The file was not opened.",
    u"“%1”不是信道数据文件：它只有 %2 字节，信道数据文件应为 8192 字节。\n文件未打开。",
    u"「%1」不是頻道資料檔：它只有 %2 位元組，頻道資料檔應為 8192 位元組。\n檔案未開啟。"};
constexpr LocalisedText CannotSaveText{u"Cannot save the file \"%1\".\n%2\nThe file on disk was not changed.",
                                       u"无法保存文件“%1”。\n%2\n磁盘上的文件没有改变。",
                                       u"無法儲存檔案「%1」。\n%2\n磁碟上的檔案沒有改變。"};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

CProgramDoc::CProgramDoc(MemoryImage &image, QString programDirectory, Language language, QObject *parent)
    : QObject(parent)
    , m_image(image)
    , m_programDirectory(std::move(programDirectory))
    , m_language(language)
{
}

bool CProgramDoc::OnNewDocument()
{
    setPathName({});
    m_radio.clear();
    makeNewImage(m_image, m_programDirectory);
    SetModifiedFlag(false);
    emit contentReplaced();
    return true;
}

DocumentResult readDocumentFile(const QString &path, MemoryImage &image, Language language)
{
    const SinLoadResult file = readSinFile(path);
    switch (file.error) {
    case SinLoadResult::Error::CannotOpen:
        return {false, CannotOpenText.text(language).arg(shown(path), file.systemReason)};
    case SinLoadResult::Error::TooShort:
        return {false, TooShortText.text(language).arg(shown(path)).arg(file.fileSize)};
    case SinLoadResult::Error::None: break;
    }
    image.copyIn(*file.bytes);
    return {true, {}};
}

DocumentResult CProgramDoc::OnOpenDocument(const QString &path)
{
    const DocumentResult read = readDocumentFile(path, m_image, m_language);
    if (!read)
        return read;
    setPathName(path);
    // A backup knows its radio; any other file is of unknown origin.
    m_radio = recordedIdentification(path);
    m_bForeignFile = QFileInfo(path).size() > MemoryImage::Size;
    SetModifiedFlag(false);
    emit contentReplaced();
    return read;
}

void CProgramDoc::OnNewDocumentFrom(const MemoryImage &image, const QByteArray &radio)
{
    setPathName({});
    m_radio = isWholeIdentification(radio) ? radio : QByteArray();
    m_image = image;
    emit contentReplaced();
    SetModifiedFlag(true);
}

DocumentResult CProgramDoc::OnSaveDocument(const QString &path)
{
    const FileWrite saved = writeSinFile(path, m_image);
    if (!saved)
        return {false, CannotSaveText.text(m_language).arg(shown(path), saved.reason)};
    setPathName(path);
    SetModifiedFlag(false);
    return {true, {}};
}

void CProgramDoc::setPathName(const QString &path)
{
    // Opened or saved: the file holds what the document holds.
    m_strPathName = path;
    m_bReadFromRadio = false;
    m_bForeignFile = false;
    emit pathNameChanged();
}

void CProgramDoc::restoreOrigin(const Origin &origin)
{
    m_bReadFromRadio = origin.readFromRadio;
    m_radio = origin.radio;
    emit pathNameChanged();
}

void CProgramDoc::SetReadFromRadio(const QByteArray &radio)
{
    m_bReadFromRadio = true;
    // A part of an answer names no radio.
    m_radio = isWholeIdentification(radio) ? radio : QByteArray();
    emit pathNameChanged();
}

void CProgramDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

} // namespace kdw

#include "core/link/batchlog.h"

#include "core/text/csv.h"
#include "core/text/wholefile.h"

#include <QDir>
#include <QFileInfo>

namespace kdw {

namespace {

constexpr LocalisedList<4> ResultTexts{{
    {u"verified", u"已校验", u"已校驗"},
    {u"written", u"已写入", u"已寫入"},
    {u"failed", u"失败", u"失敗"},
    {u"skipped", u"跳过", u"跳過"},
}};

constexpr LocalisedText NoFolderText{u"cannot make the folder %1", u"无法创建文件夹 %1", u"無法建立資料夾 %1"};
constexpr LocalisedText ExistsText{u"%1 exists already; name another log file", u"%1 已存在；请另选日志文件名",
                                   u"%1 已存在；請另選記錄檔名"};

} // namespace

QString unitResultText(UnitResult result, Language language)
{
    return ResultTexts.at(std::size_t(result)).text(language);
}

QString UnitReason::in(Language language) const
{
    if (!text)
        return {};
    const QString said = text->text(language);
    return said.contains(u"%1") ? said.arg(detail) : said;
}

QString unitResultName(UnitResult result)
{
    switch (result) {
    case UnitResult::Verified: return QStringLiteral("verified");
    case UnitResult::Written: return QStringLiteral("written");
    case UnitResult::Failed: return QStringLiteral("failed");
    case UnitResult::Skipped: return QStringLiteral("skipped");
    }
    return {};
}

QString isoLocalTime(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
           + QStringLiteral("%1:%2")
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

BatchLog::BatchLog(const QString &path)
    : m_path(path)
{
}

std::unique_ptr<BatchLog> BatchLog::create(const QString &path, QString *error, Language language)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = NoFolderText.text(language).arg(QDir::toNativeSeparators(folder));
        return nullptr;
    }
    std::unique_ptr<BatchLog> log(new BatchLog(path));
    log->m_content = (Header + u'\n').toUtf8();
    // An earlier run's log is a record of what went where: never replaced.
    const FileWrite written = writeWholeFile(path, log->m_content, ExistingFile::Keep);
    if (written.taken) {
        *error = ExistsText.text(language).arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    if (!written) {
        *error = LogNotWrittenText.text(language).arg(QDir::toNativeSeparators(path), written.reason);
        return nullptr;
    }
    return log;
}

QString BatchLog::row(const UnitRecord &record)
{
    QStringList changes = record.changes;
    if (!record.reason.isEmpty())
        changes.append(record.reason.in(Language::Eng));
    const QStringList fields{QString::number(record.unit),
                             isoLocalTime(record.started),
                             isoLocalTime(record.finished),
                             QString::fromLatin1(record.identification.toHex()),
                             unitResultName(record.result),
                             record.backup,
                             QString::fromLatin1(record.sha256.toHex()),
                             changes.join(u';'),
                             QString::number(record.blocks),
                             record.port};
    QString line = csvRecord(fields);
    line.chop(2); // csvRecord ends with CRLF; the log's lines end as the system's text files do
    return line;
}

bool BatchLog::append(const UnitRecord &record)
{
    m_content += (row(record) + u'\n').toUtf8();
    const FileWrite written = writeWholeFile(m_path, m_content);
    m_error = written.reason;
    return bool(written);
}

} // namespace kdw

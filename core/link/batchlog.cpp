#include "core/link/batchlog.h"

#include "core/channels/csv.h"

#include <QDir>
#include <QFileInfo>

namespace kdw {

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
    , m_file(path)
{
}

std::unique_ptr<BatchLog> BatchLog::create(const QString &path, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder));
        return nullptr;
    }
    std::unique_ptr<BatchLog> log(new BatchLog(path));
    // An earlier run's log is a record of what went where: never replaced.
    if (!log->m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = QFileInfo::exists(path)
                     ? QStringLiteral("%1 exists already; name another log file").arg(QDir::toNativeSeparators(path))
                     : QStringLiteral("cannot write %1: %2")
                           .arg(QDir::toNativeSeparators(path), log->m_file.errorString());
        return nullptr;
    }
    if (!log->writeLine(Header)) {
        *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), log->m_file.errorString());
        return nullptr;
    }
    return log;
}

QString BatchLog::row(const UnitRecord &record)
{
    QStringList changes = record.changes;
    if (!record.reason.isEmpty())
        changes.append(record.reason);
    const QStringList fields{QString::number(record.unit),
                             isoLocalTime(record.started),
                             isoLocalTime(record.finished),
                             QString::fromLatin1(record.identification.toHex()),
                             unitResultName(record.result),
                             record.backup,
                             QString::fromLatin1(record.sha256.toHex()),
                             changes.join(u';')};
    QString line = csvRecord(fields);
    line.chop(2); // csvRecord ends with CRLF; the log's lines end as the system's text files do
    return line;
}

bool BatchLog::append(const UnitRecord &record)
{
    return writeLine(row(record));
}

bool BatchLog::writeLine(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    return m_file.write(bytes) == bytes.size() && m_file.flush();
}

} // namespace kdw

#include "core/text/inifile.h"

#include "core/text/wholefile.h"

#include <QFile>

#include <optional>

namespace kdw {

namespace {

// The file is handled as raw lines so that bytes we do not understand (other
// sections, comments, another encoding) are written back untouched. A UTF-8
// byte order mark is set apart in *lead and written back before the lines: a
// write that dropped it would change how the next read sees the first line.
// A file that exists but cannot be read sets *unreadable: writing it back
// from no lines would lose every other setting.
QList<QByteArray> readLines(const QString &path, QByteArray *eol, QByteArray *lead = nullptr,
                            bool *unreadable = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (unreadable)
            *unreadable = file.exists();
        return {};
    }
    QByteArray content = file.readAll();
    if (unreadable)
        *unreadable = file.error() != QFileDevice::NoError;
    *eol = content.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    if (content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);
        if (lead)
            *lead = QByteArrayLiteral("\xEF\xBB\xBF");
    }
    QList<QByteArray> lines = content.split('\n');
    for (auto &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A file read to be written back changed: its lines, line end and byte order mark.
struct IniLines
{
    QList<QByteArray> lines;
    QByteArray eol = QByteArrayLiteral("\n");
    QByteArray lead;
};

// Nothing when the file exists but cannot be read: writing it back from no
// lines would lose every other setting.
std::optional<IniLines> readForRewrite(const QString &path)
{
    IniLines file;
    bool unreadable = false;
    file.lines = readLines(path, &file.eol, &file.lead, &unreadable);
    if (unreadable)
        return std::nullopt;
    return file;
}

// The file replaced whole by its lines, with the line end and byte order mark it had.
bool writeLines(const QString &path, const IniLines &file)
{
    QByteArray content = file.lead;
    for (const auto &line : file.lines)
        content += line + file.eol;
    return bool(writeWholeFile(path, content));
}

QString decoded(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).trimmed();
}

// "[name]" with optional blanks; returns the name or a null string.
QString sectionName(const QByteArray &line)
{
    const QString text = decoded(line);
    if (text.size() < 2 || !text.startsWith(u'['))
        return {};
    const auto close = text.indexOf(u']');
    if (close < 0)
        return {};
    return text.mid(1, close - 1).trimmed();
}

// "key=value": returns the key (trimmed) or a null string when the line has no '='.
QString keyOf(const QByteArray &line, QString *value)
{
    const QString text = decoded(line);
    if (text.startsWith(u';'))
        return {};
    const auto eq = text.indexOf(u'=');
    if (eq <= 0)
        return {};
    if (value) {
        QString v = text.mid(eq + 1).trimmed();
        if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return text.left(eq).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

CIniFile::CIniFile()
    : m_strPath(QStringLiteral("./Setup.ini"))
{
}

CIniFile::~CIniFile() = default;

QString CIniFile::ReadString(const QString &section, const QString &key) const
{
    if (key.isEmpty())
        return {};
    QByteArray eol;
    bool inSection = false;
    for (const auto &line : readLines(m_strPath, &eol)) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QString value;
        if (inSection && sameName(keyOf(line, &value), key))
            return value.left(MaxValueLength);
    }
    return {};
}

bool CIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (key.isEmpty() || value.isEmpty())
        return false;

    auto file = readForRewrite(m_strPath);
    if (!file)
        return false;
    QList<QByteArray> &lines = file->lines;
    const QByteArray entry = key.toUtf8() + '=' + value.toUtf8();

    qsizetype sectionAt = -1;
    qsizetype insertAt = -1; // after the section's last non-blank line
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull()) {
            if (sectionAt >= 0)
                break; // past our section
            if (sameName(name, section)) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (sameName(keyOf(lines[i], nullptr), key)) {
            lines[i] = entry;
            done = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!done) {
        if (sectionAt >= 0) {
            lines.insert(insertAt, entry);
        } else {
            lines.append('[' + section.toUtf8() + ']');
            lines.append(entry);
        }
    }

    return writeLines(m_strPath, *file);
}

bool CIniFile::RemoveKey(const QString &section, const QString &key)
{
    auto file = readForRewrite(m_strPath);
    if (!file)
        return false;
    QList<QByteArray> &lines = file->lines;
    bool inSection = false;
    bool removed = false;
    for (qsizetype i = 0; i < lines.size();) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull()) {
            if (inSection)
                break; // past our section
            inSection = sameName(name, section);
        } else if (inSection && sameName(keyOf(lines[i], nullptr), key)) {
            lines.removeAt(i);
            removed = true;
            continue;
        }
        ++i;
    }
    return !removed || writeLines(m_strPath, *file);
}

bool readFlag(const CIniFile &file, QStringView section, QStringView key, bool fallback)
{
    const QString value = file.ReadString(section.toString(), key.toString());
    if (value == u"1")
        return true;
    if (value == u"0")
        return false;
    return fallback;
}

bool writeFlag(CIniFile &file, QStringView section, QStringView key, bool on)
{
    return file.WriteString(section.toString(), key.toString(), on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace kdw

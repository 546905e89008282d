#include "channels/csv.h"

namespace kdw {

namespace {

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }

} // namespace

CsvParseResult parseCsv(QStringView text)
{
    CsvParseResult result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    // Consumes CRLF, LF or CR at i.
    const auto skipLineBreak = [&] {
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        ++i;
        ++line;
    };
    while (i < n) {
        CsvRecord record;
        record.line = line;
        while (true) {
            const int column = int(record.fields.size()) + 1;
            QString field;
            if (i < n && text[i] == u'"') {
                const int openLine = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (isLineBreak(text[i])) {
                        const bool crlf = text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n';
                        field += crlf ? QStringLiteral("\r\n") : QString(text[i]);
                        skipLineBreak();
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed) {
                    result.error = CsvError{openLine, column, QStringLiteral("quoted field is not closed")};
                    return result;
                }
                if (i < n && text[i] != u',' && !isLineBreak(text[i])) {
                    result.error = CsvError{line, column, QStringLiteral("text after the closing quote")};
                    return result;
                }
            } else {
                while (i < n && text[i] != u',' && !isLineBreak(text[i])) {
                    if (text[i] == u'"') {
                        result.error = CsvError{line, column, QStringLiteral("quote inside an unquoted field")};
                        return result;
                    }
                    field += text[i++];
                }
            }
            record.fields.append(field);
            if (i < n && text[i] == u',') {
                ++i;
                continue;
            }
            if (i < n)
                skipLineBreak();
            break;
        }
        result.records.append(record);
    }
    return result;
}

QString csvField(QStringView field)
{
    const bool quote = field.contains(u',') || field.contains(u'"') || field.contains(u'\r')
                       || field.contains(u'\n');
    if (!quote)
        return field.toString();
    QString quoted = field.toString();
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvRecord(const QStringList &fields)
{
    QString line;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (k > 0)
            line += u',';
        line += csvField(fields.at(k));
    }
    return line + QStringLiteral("\r\n");
}

} // namespace kdw

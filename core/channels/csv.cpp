#include "core/channels/csv.h"

#include "core/text/localisedtext.h"

namespace kdw {

namespace {

constexpr LocalisedText TextAfterQuote{u"text after the closing quote", u"右引号后还有文本", u"右引號後還有文字"};
constexpr LocalisedText QuoteNotClosed{u"quoted field is not closed", u"引号中的字段没有结束", u"引號中的欄位沒有結束"};
constexpr LocalisedText QuoteInside{u"quote inside an unquoted field", u"不在引号中的字段含有引号",
                                    u"不在引號中的欄位含有引號"};

// The text being parsed, where the parser is in it and on which line.
struct Cursor
{
    QStringView text;
    Language language = Language::Eng; // of the error messages
    qsizetype at = 0;
    int line = 1;

    bool atEnd() const { return at >= text.size(); }
    bool is(QChar c) const { return !atEnd() && text[at] == c; }
    bool atLineBreak() const { return is(u'\r') || is(u'\n'); }
    bool atFieldEnd() const { return is(u',') || atLineBreak(); }

    // Consumes the CRLF, LF or CR at the cursor and returns it.
    QStringView takeLineBreak()
    {
        const qsizetype start = at;
        if (is(u'\r') && at + 1 < text.size() && text[at + 1] == u'\n')
            ++at;
        ++at;
        ++line;
        return text.sliced(start, at - start);
    }
};

struct FieldRead
{
    QString text;
    std::optional<CsvError> error;
};

// A field in double quotes, from its opening quote to the comma or line break
// after its closing one; line breaks and doubled quotes inside are kept.
FieldRead readQuotedField(Cursor &c, int column)
{
    const int openLine = c.line;
    ++c.at;
    QString field;
    while (!c.atEnd()) {
        if (c.atLineBreak()) {
            field += c.takeLineBreak();
            continue;
        }
        if (!c.is(u'"')) {
            field += c.text[c.at++];
            continue;
        }
        ++c.at;
        if (c.is(u'"')) {
            field += u'"';
            ++c.at;
            continue;
        }
        if (!c.atEnd() && !c.atFieldEnd())
            return {{}, CsvError{c.line, column, TextAfterQuote.text(c.language)}};
        return {field, std::nullopt};
    }
    return {{}, CsvError{openLine, column, QuoteNotClosed.text(c.language)}};
}

// A field without quotes, up to the comma or line break that ends it.
FieldRead readPlainField(Cursor &c, int column)
{
    QString field;
    while (!c.atEnd() && !c.atFieldEnd()) {
        if (c.is(u'"'))
            return {{}, CsvError{c.line, column, QuoteInside.text(c.language)}};
        field += c.text[c.at++];
    }
    return {field, std::nullopt};
}

struct RecordRead
{
    CsvRecord record;
    std::optional<CsvError> error;
};

// The fields of one record and the line break that ends it.
RecordRead readRecord(Cursor &c)
{
    CsvRecord record{c.line, {}};
    while (true) {
        const int column = int(record.fields.size()) + 1;
        const FieldRead field = c.is(u'"') ? readQuotedField(c, column) : readPlainField(c, column);
        if (field.error)
            return {record, field.error};
        record.fields.append(field.text);
        if (!c.is(u','))
            break;
        ++c.at;
    }
    if (!c.atEnd())
        c.takeLineBreak();
    return {record, std::nullopt};
}

} // namespace

CsvParseResult parseCsv(QStringView text, Language language)
{
    CsvParseResult result;
    Cursor cursor{text, language};
    while (!cursor.atEnd()) {
        RecordRead read = readRecord(cursor);
        if (read.error) {
            result.error = read.error;
            return result;
        }
        result.records.append(std::move(read.record));
    }
    return result;
}

QString csvField(QStringView field)
{
    const bool quote = field.contains(u',') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n');
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

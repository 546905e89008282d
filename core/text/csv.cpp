#include "core/text/csv.h"

#include "core/text/localisedtext.h"

namespace kdw {

namespace {

constexpr LocalisedText TextAfterQuote{u"text after the closing quote", u"右引号后还有文本", u"右引號後還有文字"};
constexpr LocalisedText QuoteNotClosed{u"the file ends inside this quoted field: its closing quote is missing",
                                       u"文件在此引号字段中结束：缺少右引号", u"檔案在此引號欄位中結束：缺少右引號"};
constexpr LocalisedText QuoteInside{u"quote inside an unquoted field", u"不在引号中的字段含有引号",
                                    u"不在引號中的欄位含有引號"};
constexpr LocalisedText FewerCells{u"%1 of %2 cells: the line is cut off or lacks cells",
                                   u"只有 %1 个单元格，应有 %2 个：该行被截断或缺少单元格",
                                   u"只有 %1 個儲存格，應有 %2 個：該行被截斷或缺少儲存格"};
constexpr LocalisedText MoreCells{u"%1 cells, but the header has %2", u"有 %1 个单元格，但表头只有 %2 个",
                                  u"有 %1 個儲存格，但表頭只有 %2 個"};
constexpr LocalisedText NoLineEnd{u"the last line has no line end: the file may be cut off here",
                                  u"最后一行没有换行：文件可能在此被截断", u"最後一行沒有換行：檔案可能在此被截斷"};
constexpr LocalisedText CellTooLong{u"a cell of %1 characters, longer than any column allows, beginning \"%2\"",
                                    u"单元格有 %1 个字符，超过任何一列所允许的长度，开头为“%2”",
                                    u"儲存格有 %1 個字元，超過任何一欄所允許的長度，開頭為「%2」"};
constexpr qsizetype QuotedCellLength = 40;

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

bool isBlankRecord(const CsvRecord &record)
{
    return record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
}

CsvParseResult parseWholeCsv(QStringView text, Language language)
{
    CsvParseResult csv = parseCsv(text, language);
    if (!csv || csv.records.isEmpty())
        return csv;
    const qsizetype cells = csv.records.first().fields.size();
    for (const CsvRecord &record : std::as_const(csv.records)) {
        for (qsizetype f = 0; f < record.fields.size(); ++f) {
            const QString &cell = record.fields.at(f);
            if (cell.size() > CsvCellMaxLength) {
                csv.error = CsvError{record.line, int(f) + 1,
                                     CellTooLong.text(language).arg(cell.size()).arg(quotedCell(cell))};
                return csv;
            }
        }
        if (record.fields.size() != cells && !isBlankRecord(record)) {
            const LocalisedText &fault = record.fields.size() < cells ? FewerCells : MoreCells;
            csv.error = CsvError{record.line, 0, fault.text(language).arg(record.fields.size()).arg(cells)};
            return csv;
        }
    }
    if (!text.endsWith(u'\n') && !text.endsWith(u'\r'))
        csv.error = CsvError{csv.records.last().line, 0, NoLineEnd.text(language)};
    return csv;
}

QString quotedCell(QStringView cell)
{
    if (cell.size() <= QuotedCellLength)
        return cell.toString();
    return cell.left(QuotedCellLength).toString() + u'\u2026';
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

#pragma once

#include "core/text/language.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace kdw {

// Comma-separated values as RFC 4180 has them: fields separated by commas,
// records by CRLF (a bare LF is accepted too), a field in double quotes may hold
// commas, line breaks and doubled quotes.

struct CsvRecord
{
    int line = 0; // 1-based line on which the record starts
    QStringList fields;
};

struct CsvError
{
    int line = 0;   // 1-based
    int column = 0; // 1-based field number
    QString message;
};

struct CsvParseResult
{
    QList<CsvRecord> records;
    std::optional<CsvError> error; // set: records hold what came before it
    explicit operator bool() const { return !error; }
};

// A final line break does not start another record; an empty line is a record
// of one empty field. Error messages are in the language given.
[[nodiscard]] CsvParseResult parseCsv(QStringView text, Language language = Language::Eng);

// The longest cell a channel file may hold, in characters: far more than any
// column of either channel format takes, so that a longer one is a damaged or
// foreign file and is never quoted whole.
inline constexpr qsizetype CsvCellMaxLength = 512;

// parseCsv for a file that must be whole, as an import needs it: every record
// after the first has as many fields as the first (a blank line aside), no
// cell is longer than CsvCellMaxLength and the last record ends with a line
// break. A file cut anywhere inside a record breaks one of these (or leaves a
// quote open), so the fault names the line where it was cut.
[[nodiscard]] CsvParseResult parseWholeCsv(QStringView text, Language language);

// True for a record of one blank field: an empty line between records.
[[nodiscard]] bool isBlankRecord(const CsvRecord &record);

// A cell as a message quotes it: its first 40 characters, then "…" when
// there are more.
[[nodiscard]] QString quotedCell(QStringView cell);

// A field as written: in quotes only when it holds a comma, a quote, CR or LF.
[[nodiscard]] QString csvField(QStringView field);
// One record: the fields joined by commas, ended by CRLF.
[[nodiscard]] QString csvRecord(const QStringList &fields);

} // namespace kdw

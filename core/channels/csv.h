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

// A field as written: in quotes only when it holds a comma, a quote, CR or LF.
[[nodiscard]] QString csvField(QStringView field);
// One record: the fields joined by commas, ended by CRLF.
[[nodiscard]] QString csvRecord(const QStringList &fields);

} // namespace kdw

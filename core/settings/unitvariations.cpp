#include "core/settings/unitvariations.h"

#include "core/channels/csv.h"
#include "core/channels/csvfile.h"

#include <QDir>

namespace kdw {

namespace {

VariationsRead refused(int line, int column, const QString &reason)
{
    VariationsRead read;
    read.error = column > 0 ? QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(reason)
                            : QStringLiteral("line %1: %2").arg(line).arg(reason);
    return read;
}

} // namespace

MemoryImage UnitVariation::applied(const MemoryImage &document) const
{
    MemoryImage image = document;
    if (!chosen.isEmpty())
        storeChosenSettings(image, chosen);
    return image;
}

VariationsRead parseVariations(QStringView text)
{
    const CsvParseResult csv = parseCsv(text);
    if (csv.error)
        return refused(csv.error->line, csv.error->column, csv.error->message);
    if (csv.records.isEmpty())
        return refused(1, 0, QStringLiteral("the file is empty; its first line names the settings"));

    const CsvRecord &header = csv.records.first();
    QList<const Setting *> columns;
    for (qsizetype c = 0; c < header.fields.size(); ++c) {
        const QString label = header.fields.at(c).trimmed();
        const Setting *setting = findSetting(label);
        if (!setting)
            return refused(header.line, int(c) + 1, QStringLiteral("unknown setting \"%1\"").arg(label));
        if (columns.contains(setting))
            return refused(header.line, int(c) + 1, QStringLiteral("%1: named more than once").arg(label));
        columns.append(setting);
    }

    VariationsRead read;
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord &row = csv.records.at(r);
        if (row.fields.size() != columns.size()) {
            return refused(row.line, 0,
                           QStringLiteral("%1 cells where the first line names %2 settings")
                               .arg(row.fields.size())
                               .arg(columns.size()));
        }
        UnitVariation unit;
        unit.line = row.line;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QString &cell = row.fields.at(c);
            if (cell.isEmpty())
                continue; // the document's value stays
            const Setting &setting = *columns.at(c);
            const auto value = valueFromText(setting, cell);
            if (!value)
                return refused(row.line, int(c) + 1, refusedValueText(setting, setting.label, cell));
            unit.chosen.insert(&setting, *value);
            unit.assignments.append(setting.label.toString() + u'=' + cell);
        }
        read.units.append(unit);
    }
    return read;
}

VariationsRead readVariationsFile(const QString &path)
{
    const TextFileRead file = readUtf8File(path, 0);
    VariationsRead read;
    if (!file.text) {
        read.error = QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.reason);
        return read;
    }
    read = parseVariations(*file.text);
    if (read.error)
        read.error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + *read.error;
    return read;
}

} // namespace kdw

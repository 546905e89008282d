#include "core/settings/unitvariations.h"

#include "core/text/csv.h"
#include "core/text/localisedtext.h"
#include "core/text/textfile.h"

#include <QDir>

namespace kdw {

namespace {

constexpr LocalisedText LineColumnText{u"line %1, column %2: %3", u"第 %1 行，第 %2 列：%3", u"第 %1 行，第 %2 欄：%3"};
constexpr LocalisedText LineText{u"line %1: %2", u"第 %1 行：%2", u"第 %1 行：%2"};
constexpr LocalisedText EmptyText{u"the file is empty; its first line names the settings",
                                  u"文件是空的；其第一行应列出各设置项", u"檔案是空的；其第一行應列出各設定項"};
constexpr LocalisedText UnknownSettingText{u"unknown setting \"%1\"", u"未知的设置项“%1”", u"未知的設定項「%1」"};
constexpr LocalisedText NamedTwiceText{u"%1: named more than once", u"%1：列出了不止一次", u"%1：列出了不止一次"};
constexpr LocalisedText CellCountText{u"%1 cells where the first line names %2 settings",
                                      u"有 %1 个单元格，而第一行列出了 %2 个设置项",
                                      u"有 %1 個儲存格，而第一行列出了 %2 個設定項"};
constexpr LocalisedText InFileText{u"%1: %2", u"%1：%2", u"%1：%2"};
constexpr LocalisedText CannotReadText{u"cannot read %1: %2", u"无法读取 %1：%2", u"無法讀取 %1：%2"};

VariationsRead refused(int line, int column, const QString &reason, Language language)
{
    VariationsRead read;
    read.error = column > 0 ? LineColumnText.text(language).arg(line).arg(column).arg(reason)
                            : LineText.text(language).arg(line).arg(reason);
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

VariationsRead parseVariations(QStringView text, Language language)
{
    const CsvParseResult csv = parseCsv(text, language);
    if (csv.error)
        return refused(csv.error->line, csv.error->column, csv.error->message, language);
    if (csv.records.isEmpty())
        return refused(1, 0, EmptyText.text(language), language);

    const CsvRecord &header = csv.records.first();
    QList<const Setting *> columns;
    for (qsizetype c = 0; c < header.fields.size(); ++c) {
        const QString label = header.fields.at(c).trimmed();
        const Setting *setting = findSetting(label);
        if (!setting)
            return refused(header.line, int(c) + 1, UnknownSettingText.text(language).arg(label), language);
        if (columns.contains(setting))
            return refused(header.line, int(c) + 1, NamedTwiceText.text(language).arg(label), language);
        columns.append(setting);
    }

    VariationsRead read;
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord &row = csv.records.at(r);
        if (row.fields.size() != columns.size()) {
            return refused(row.line, 0, CellCountText.text(language).arg(row.fields.size()).arg(columns.size()),
                           language);
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
                return refused(row.line, int(c) + 1, refusedValueText(setting, setting.label, cell, language),
                               language);
            unit.chosen.insert(&setting, *value);
            unit.assignments.append(setting.label.toString() + u'=' + cell);
        }
        read.units.append(unit);
    }
    return read;
}

VariationsRead readVariationsFile(const QString &path, Language language)
{
    const TextFileRead file = readUtf8File(path, Language::Eng);
    VariationsRead read;
    if (!file.text) {
        read.error = CannotReadText.text(language).arg(QDir::toNativeSeparators(path), file.reason);
        return read;
    }
    read = parseVariations(*file.text, language);
    if (read.error)
        read.error = InFileText.text(language).arg(QDir::toNativeSeparators(path), *read.error);
    return read;
}

} // namespace kdw

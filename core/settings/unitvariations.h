#pragma once

#include "core/settings/settingvalues.h"
#include "core/text/localisedtext.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kdw {

// The settings one radio of a batch gets on top of the document: the cells
// of its row that are not empty.
struct UnitVariation
{
    int line = 0; // the row's line in the file, from 1
    ChosenSettings chosen;
    QStringList assignments; // "LABEL=VALUE" in column order, as the log lists them

    // The document with this unit's settings stored as `kdw-cli settings`
    // stores them.
    MemoryImage applied(const MemoryImage &document) const;
};

// A variations file: a header of setting labels (the English labels `kdw-cli
// settings` prints), then a row a unit.
struct [[nodiscard]] VariationsRead
{
    QList<UnitVariation> units;
    // "FILE: line L, column C: reason"; set when any cell was refused, and
    // then `units` is empty: a run takes the whole file or none of it.
    std::optional<QString> error;

    explicit operator bool() const { return !error; }
};

// The messages of a refused file are in the given language.
// A file with its header and no row: refused, or every radio would get the
// document as it is while the user expects each its own settings.
inline constexpr LocalisedText NoVariationRowsText{
    u"%1: no rows below the settings' line", u"%1：设置项那一行下面没有数据行", u"%1：設定項那一行下面沒有資料行"};

VariationsRead parseVariations(QStringView text, Language language = Language::Eng);
VariationsRead readVariationsFile(const QString &path, Language language = Language::Eng);

} // namespace kdw

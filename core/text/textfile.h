#pragma once

#include "core/text/language.h"

#include <QString>

#include <optional>

namespace kdw {

struct TextFileRead
{
    std::optional<QString> text; // set when the file was read and is UTF-8
    QString reason;              // why not, otherwise
    bool tooLarge = false;       // refused for its size, before it was read whole
};

// A whole file as UTF-8 text (a byte order mark is dropped); the reason,
// when it is not UTF-8, is in `language`. A file of more than `maxBytes`
// (when given) is refused without being read whole.
[[nodiscard]] TextFileRead readUtf8File(const QString &path, Language language,
                                        std::optional<qint64> maxBytes = std::nullopt);
// Replaces the file whole or not at all; the reason when it could not.
[[nodiscard]] std::optional<QString> writeUtf8File(const QString &path, const QString &text);

} // namespace kdw

#pragma once

#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace kdw::cli {

// Exit codes: 0 success, 1 the radio or port failed, 2 bad use or bad input.
enum ExitCode : int { Ok = 0, Failed = 1, BadInput = 2 };

QTextStream &out();
QTextStream &err();

// Prints "kdw-cli: <message>" on standard error and returns BadInput.
int usageError(const QString &message);

// Makes the language bundle of the program directory the source of the
// dialogs' texts (setting labels, dialog captions); English without it.
void useLanguageBundle(const QString &programDirectory, Language language);

// A text of a file may hold any byte; control characters are written as
// \xNN so they cannot act on the terminal.
QString printable(const QString &text);

// Prints "<file>: <line>" on standard error for each of the first 20 lines
// (printable), then "<file>: ... and N more".
void printLines(const QString &file, const QStringList &lines, Language language);

// Reads a .sin file; on failure reports "cannot read FILE: reason" on
// standard error and returns nothing. A file longer than 8192 bytes gives its
// first 8192 with a warning on standard error.
[[nodiscard]] std::optional<MemoryImage> loadSinFile(const QString &path);

// Replaces `path` with the image atomically; returns Ok, or reports
// "cannot write FILE: reason" and returns BadInput with the old file whole.
// A file that is neither empty nor 8192 bytes long is never replaced.
int saveSinFile(const QString &path, const MemoryImage &image);

} // namespace kdw::cli

#pragma once

#include "core/image/memoryimage.h"
#include "core/text/language.h"
#include "madeupsystem.h"

#include <QDialog>
#include <QList>
#include <QMetaType>

#include <memory>
#include <utility>

namespace kdw::test {

// Every dialog of the program a user can open.
enum class Dialog {
    Option,
    PttId,
    Pcba,
    Language,
    About,
    Transfer,
    CableCheck,
    ChooseDevice,
    Differences,
    Batch,
    Sort
};

// Each dialog with a name for a data row.
const QList<std::pair<const char *, Dialog>> &dialogs();

// A dialog as its command builds it, shown; a cable check has finished.
struct ShownDialog
{
    MemoryImage image;
    MadeUpSystem system;
    std::unique_ptr<QDialog> dialog;

    ShownDialog();
    // In `language`, the texts of the bundle loaded.
    [[nodiscard]] bool open(Dialog which, Language language);
};

} // namespace kdw::test

Q_DECLARE_METATYPE(kdw::test::Dialog)

#pragma once

#include "core/channels/channeltexts.h"
#include "core/image/memoryimage.h"
#include "core/settings/settingtable.h"
#include "core/text/language.h"

#include <QList>
#include <QString>

#include <vector>

namespace kdw {

// What differs between two images, as a user reads it: the channel cells
// whose grid texts differ, the settings whose dialog items differ, and the
// differing bytes that neither explains, as address ranges.
struct ImageDiff
{
    struct Channel
    {
        int channel; // 1..99
        ChannelField field;
        QString a;
        QString b;
        // Empty on one side and in use on the other: one entry for the whole
        // channel, whose texts are the used side's nine cells (the empty
        // side's text is empty).
        bool whole = false;
    };
    struct Setting
    {
        const kdw::Setting *setting;
        QString a;
        QString b;
    };
    struct Bytes
    {
        int start; // half-open
        int end;
    };

    std::vector<Channel> channels;
    std::vector<Setting> settings;
    std::vector<Bytes> bytes;

    bool isEmpty() const { return channels.empty() && settings.empty() && bytes.empty(); }
};

// Compares two images in a language. A channel with a differing cell
// accounts for its whole record and name slot; a differing setting for its
// own bits. Any other differing byte is listed, so no difference goes unseen.
[[nodiscard]] ImageDiff diffImages(const MemoryImage &a, const MemoryImage &b, Language language);

// One line of the list: where (the channel as the grid numbers it, the
// dialog's caption, or an address range), what (the grid's column name or
// the dialog's label), and the two texts (for bytes: their values in hex). A
// channel empty on one side is one line: "empty" against its nine cells; bytes
// of a channel that no cell shows are named by the channel and their addresses.
struct DiffRow
{
    QString place;
    QString name;
    QString a;
    QString b;
};

// The rows of a diff in a language: channels, then settings, then bytes.
// Each thing is named by the words its window shows: a channel by the grid's
// header in `language` (texts of the code), a setting by its dialog's
// caption and label (texts of the bundle, which the program and kdw-cli load
// for the language they pass).
[[nodiscard]] QList<DiffRow> diffRows(const ImageDiff &diff, const MemoryImage &a, const MemoryImage &b,
                                      Language language);

} // namespace kdw

#pragma once

#include "core/text/localisedtext.h"

#include <QString>
#include <QtGlobal>

namespace kdw {

// The help file of each language, in the program directory.
inline constexpr LocalisedText HelpFileName{u"eng.chm", u"chs.chm", u"cht.chm"};

// The command that opens a help file at its default topic.
inline constexpr unsigned HH_DISPLAY_TOPIC = 0;

// The help-control loader. The help viewer is looked up on the first call
// only; when none is found the failure flag is set and no later call looks
// again. On Windows the viewer is the HTML Help control (hhctrl.ocx, found
// through its registered class or by name); elsewhere it is the first of
// xchm or kchmviewer on the PATH, started detached with the file.
class HelpLoader
{
public:
    HelpLoader() = default;
    ~HelpLoader();
    HelpLoader(const HelpLoader &) = delete;
    HelpLoader &operator=(const HelpLoader &) = delete;

    // The arguments and result of the platform's HtmlHelpW: the caller
    // window, the help file, the command and its data. Nonzero when the
    // help was shown (on Windows the help window), 0 on failure.
    quintptr HtmlHelp(quintptr caller, const QString &file, unsigned command, quintptr data);

    bool failed() const { return m_failed; }
    // The viewer in use: empty before the first call or after a failure.
    QString viewer() const { return m_viewer; }

private:
    bool load();

    bool m_failed = false;
    QString m_viewer;
#ifdef Q_OS_WIN
    void *m_library = nullptr;
    void *m_entry = nullptr;
#endif
};

// The process-wide loader used by the Help command.
HelpLoader &helpLoader();

// The Help command: the help file of `language`, from `programDirectory`,
// at its default topic, through the process-wide loader.
quintptr showHelp(quintptr caller, const QString &programDirectory, Language language);

} // namespace kdw

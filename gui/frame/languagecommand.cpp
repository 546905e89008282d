#include "gui/frame/languagecommand.h"

#include "core/program/appcontext.h"
#include "core/program/languagechange.h"
#include "core/program/processstarter.h"
#include "core/program/windowplacement.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/languagedlg.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"

namespace kdw {

namespace {

constexpr LocalisedText LanguageNotStored{u"The language could not be saved in Program.ini.",
                                          u"无法将语言设置保存到 Program.ini。", u"無法將語言設定儲存到 Program.ini。"};

constexpr LocalisedText ProgramNotRestarted{
    u"The program could not be started again. The new language takes effect at the next start.",
    u"无法重新启动程序。新的语言将在下次启动时生效。", u"無法重新啟動程式。新的語言將在下次啟動時生效。"};

} // namespace

void runLanguageCommand(QWidget *owner, DocumentCommands &documents, const AppContext &context)
{
    Language chosen = Language::Eng;
    {
        CLanguageDlg dlg(context.language, owner);
        if (dlg.exec() != QDialog::Accepted)
            return;
        chosen = dlg.m_nLanguage;
    }
    if (chosen == context.language)
        return;
    // The running instance ends at once, so unsaved edits would be lost.
    if (!documents.SaveModified())
        return;
    // The new instance starts before this one ends: the window's placement
    // is in Program.ini before it reads the file.
    if (auto *frame = qobject_cast<CMainFrame *>(owner->window()))
        (void)writeWindowPlacement(context.config, frame->placement());
    switch (changeLanguage(context.config, chosen, context.port, context.programDirectory)) {
    case LanguageChange::Restarting: requestQuit(); break;
    case LanguageChange::NotStored: messageBox(owner, LanguageNotStored.text(context.language)); break;
    case LanguageChange::NotStarted: messageBox(owner, ProgramNotRestarted.text(context.language)); break;
    }
}

} // namespace kdw

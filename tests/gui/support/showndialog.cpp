#include "showndialog.h"

#include "gui/dialogs/aboutdlg.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/dialogs/languagedlg.h"
#include "gui/grid/sortchannelsdlg.h"
#include "gui/link/batchdlg.h"
#include "gui/link/cablecheckdlg.h"
#include "gui/link/choosedevicedlg.h"
#include "gui/link/transferdlg.h"
#include "gui/settings/settingsdialog.h"
#include "testbytes.h"

#include <QSignalSpy>
#include <QTest>

namespace kdw::test {

const QList<std::pair<const char *, Dialog>> &dialogs()
{
    static const QList<std::pair<const char *, Dialog>> all{{"Option", Dialog::Option},
                                                            {"PTT ID", Dialog::PttId},
                                                            {"PCBA", Dialog::Pcba},
                                                            {"Language", Dialog::Language},
                                                            {"About", Dialog::About},
                                                            {"transfer", Dialog::Transfer},
                                                            {"cable check", Dialog::CableCheck},
                                                            {"choose device", Dialog::ChooseDevice},
                                                            {"differences", Dialog::Differences},
                                                            {"several radios", Dialog::Batch},
                                                            {"sort channels", Dialog::Sort}};
    return all;
}

ShownDialog::ShownDialog()
    : image(builtInDefaultsImage())
{
}

bool ShownDialog::open(Dialog which, Language language)
{
    const QString port = QStringLiteral("COM9");
    switch (which) {
    case Dialog::Option: dialog = std::make_unique<COptionDlg>(image, language); break;
    case Dialog::PttId: dialog = std::make_unique<CPttIdDlg>(image, language); break;
    case Dialog::Pcba: dialog = std::make_unique<CPcbaDlg>(image, language); break;
    case Dialog::Language: dialog = std::make_unique<CLanguageDlg>(language); break;
    case Dialog::About: dialog = std::make_unique<CAboutDlg>(); break;
    case Dialog::Transfer: {
        auto transfer = std::make_unique<CTransferDlg>(nullptr, image, TransferLink{port, {}, language});
        transfer->setTitle(captionOf(TransferDirection::Read).text(language));
        dialog = std::move(transfer);
        break;
    }
    case Dialog::CableCheck: {
        auto check = std::make_unique<CCableCheckDlg>(nullptr, port, QString(), language, system.roots());
        QSignalSpy finished(check.get(), &CCableCheckDlg::checkFinished);
        check->show();
        if (!finished.wait(10000))
            return false;
        dialog = std::move(check);
        break;
    }
    case Dialog::ChooseDevice:
        dialog = std::make_unique<CChooseDeviceDlg>(nullptr, language, QString(), system.roots());
        break;
    case Dialog::Batch:
        dialog = std::make_unique<CBatchDlg>(nullptr, image, TransferLink{port, {}, language}, 0);
        break;
    case Dialog::Sort: dialog = std::make_unique<CSortChannelsDlg>(language, 99, 16); break;
    case Dialog::Differences:
        dialog = std::make_unique<CDiffDlg>(nullptr, language, QStringLiteral("Compare"),
                                            QStringLiteral("The file differs."),
                                            QList<DiffRow>{{QStringLiteral("CH 1"), QStringLiteral("Rx Freq"),
                                                            QStringLiteral("446.00625"), QStringLiteral("446.01250")}},
                                            QStringLiteral("File"), QStringLiteral("Radio"));
        break;
    }
    dialog->show();
    return QTest::qWaitForWindowExposed(dialog.get());
}

} // namespace kdw::test

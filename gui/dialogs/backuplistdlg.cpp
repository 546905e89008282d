#include "gui/dialogs/backuplistdlg.h"

#include "core/image/identification.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/controlids.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace kdw {

namespace {

constexpr int BackupListDialogId = 178;

constexpr LocalisedText MadeHeading{u"Made", u"时间", u"時間"};
constexpr LocalisedText KindHeading{u"From", u"来源", u"來源"};
constexpr LocalisedText ReadKind{u"a read", u"读频", u"讀頻"};
constexpr LocalisedText BeforeWriteKind{u"before a write", u"写频前", u"寫頻前"};
constexpr LocalisedText RadioHeading{u"Radio", u"对讲机", u"對講機"};

} // namespace

CBackupListDlg::CBackupListDlg(const QList<BackupEntry> &backups, Language language, QWidget *parent)
    : CTemplateDialog(BackupListDialogId, parent)
    , m_backups(backups)
{
    setObjectName(QStringLiteral("CBackupListDlg"));
    auto *list = item<QTableWidget>(ctl::backups::List);
    list->setColumnCount(3);
    list->setHorizontalHeaderLabels(
        {MadeHeading.text(language), KindHeading.text(language), RadioHeading.text(language)});
    list->setRowCount(int(backups.size()));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->hide();
    // The time and the kind as wide as they are, the radio's name and hex in the rest, on one line.
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    list->setWordWrap(false);
    for (int row = 0; row < int(backups.size()); ++row) {
        const BackupEntry &backup = backups.at(row);
        // The time as the names give it, in every language: no locale's month names.
        list->setItem(row, 0, new QTableWidgetItem(backup.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        list->setItem(
            row, 1,
            new QTableWidgetItem((backup.kind == BackupKind::Read ? ReadKind : BeforeWriteKind).text(language)));
        // The radio as the transfer dialog names it; nothing for a backup of an unknown radio.
        list->setItem(row, 2,
                      new QTableWidgetItem(
                          backup.identification.isEmpty() ? QString() : identificationText(backup.identification)));
    }
    if (auto *label = item<QLabel>(ctl::backups::ListLabel))
        nameByLabel(list, label);
    if (!backups.isEmpty())
        list->selectRow(0);
    item<QPushButton>(ctl::Ok)->setEnabled(!backups.isEmpty());
    connect(list, &QTableWidget::cellDoubleClicked, this, &CBackupListDlg::accept);
    connect(item<QPushButton>(ctl::backups::OtherFile), &QPushButton::clicked, this, [this] {
        m_otherFile = true;
        CTemplateDialog::accept();
    });
    list->setFocus();
}

void CBackupListDlg::accept()
{
    const int row = item<QTableWidget>(ctl::backups::List)->currentRow();
    if (row < 0 || row >= int(m_backups.size()))
        return;
    m_chosen = m_backups.at(row).path;
    CTemplateDialog::accept();
}

} // namespace kdw

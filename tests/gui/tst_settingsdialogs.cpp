// The Option, PTT ID and PCBA dialogs on an image of their own, driven by
// key events. KDW_SCREENSHOTS=<folder> keeps a screenshot of each dialog as
// it opens there.
#include "core/image/regions.h"
#include "core/program/globals.h"
#include "core/settings/settingtable.h"
#include "gui/settings/settingsdialog.h"
#include "testbytes.h"
#include "uselanguage.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include <memory>

using namespace kdw;
using namespace Qt::StringLiterals;
using D = SettingsDialog;

namespace {

std::unique_ptr<CSettingsDialog> makeDialog(D which, MemoryImage &image)
{
    if (which == D::Option)
        return std::make_unique<COptionDlg>(image, test::usedLanguage());
    if (which == D::PttId)
        return std::make_unique<CPttIdDlg>(image, test::usedLanguage());
    return std::make_unique<CPcbaDlg>(image, test::usedLanguage());
}

// The text field of each dialog, as the setting table has it.
const Setting &textSetting(D which)
{
    const auto &table = settingTable();
    return *std::find_if(table.begin(), table.end(),
                         [which](const Setting &s) { return s.dialog == which && s.text(); });
}

// The bytes of a text field holding `characters`: each one (the password a
// digit's value), then 0xFF.
QByteArray textBytes(const QByteArray &characters, D which)
{
    QByteArray bytes(textSetting(which).text()->length, char(0xFF));
    for (int i = 0; i < characters.size(); ++i)
        bytes[i] = char(which == D::Option ? characters[i] - '0' : characters[i]);
    return bytes;
}

enum class Way { CloseBox, Escape, Enter };

void closeBy(CSettingsDialog &dialog, Way way)
{
    QWidget *target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    if (way == Way::CloseBox)
        dialog.close();
    else
        QTest::keyClick(target, way == Way::Escape ? Qt::Key_Escape : Qt::Key_Return);
}

} // namespace

class TestSettingsDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(test::useLanguage(u"Eng"_s)); }

    // Every setting has its control showing the image's value and a label
    // naming it in the running language (wide enough for it: tst_scaling). A list
    // changed by key and text typed or pasted into the text field: Option and
    // PTT ID store by every way of closing, PCBA by OK (Enter) only. A text
    // field takes what the radio can store, up to its length: DTMF characters
    // for the code (letters as capitals), digits for the password, letters
    // and digits for PCBA. Lists store the position of the item, whatever the
    // language shows. A dialog keeps every byte inside its encoding that was
    // not changed, and the bits no setting owns.
    void openEditAndClose_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<D>("which");
        QTest::addColumn<Way>("way");
        QTest::addColumn<QString>("keys");      // null: nothing changed
        QTest::addColumn<QString>("clipboard"); // null: nothing pasted
        QTest::addColumn<QByteArray>("stored"); // in the text field; null: nothing changes
        const QString eng = u"Eng"_s, chs = u"Chs"_s, cht = u"Cht"_s, typed = u"12"_s;
        const QByteArray twelve("12");
        QTest::newRow("option close box") << eng << D::Option << Way::CloseBox << typed << QString() << twelve;
        QTest::newRow("option escape, Simplified") << chs << D::Option << Way::Escape << typed << QString() << twelve;
        QTest::newRow("pcba close box") << eng << D::Pcba << Way::CloseBox << typed << QString() << QByteArray();
        QTest::newRow("pcba escape") << eng << D::Pcba << Way::Escape << typed << QString() << QByteArray();
        QTest::newRow("code typed: DTMF, capitals, Traditional")
            << cht << D::PttId << Way::CloseBox << u"1ab Ex#*"_s << QString() << QByteArray("1AB#*");
        QTest::newRow("code pasted: filtered, cut to room")
            << eng << D::PttId << Way::Escape << u"0123456789AB"_s << u"x 一c-d#*9"_s << QByteArray("0123456789ABCD#*");
        QTest::newRow("password typed: digits only, enter")
            << eng << D::Option << Way::Enter << u"1a2-3 "_s << QString() << QByteArray("123");
        QTest::newRow("pcba pasted: letters and digits, enter, Traditional")
            << cht << D::Pcba << Way::Enter << QString() << u"pcb-a 01/é"_s << QByteArray("PCBA01");
        QTest::newRow("pttid untouched, foreign bytes, Simplified")
            << chs << D::PttId << Way::Escape << QString() << QString() << QByteArray();
    }
    void openEditAndClose()
    {
        QFETCH(QString, language);
        QFETCH(D, which);
        QFETCH(Way, way);
        QFETCH(QString, keys);
        QFETCH(QString, clipboard);
        QFETCH(QByteArray, stored);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        MemoryImage image = test::builtInDefaultsImage();
        // Every bit set that no setting owns, and in-encoding values at the ends.
        image.copyIn(0x1810, QByteArray::fromHex("a3d7f8ff09090001aa5a03ff060e000003046300140000000000fe0000000000"));
        image.copyIn(region::PowerOnPassword, QByteArray::fromHex("0908ffffffff"));
        image.copyIn(region::PttIdCode, QByteArray("1E\x7f\x80z\x01\n\t"));
        image.copyIn(region::Pcba, QByteArray("AB12"));
        MemoryImage expected = image;
        auto dialog = makeDialog(which, image);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        for (const Setting &setting : settingTable()) {
            if (setting.dialog != which)
                continue;
            const QString name = setting.label.toString();
            auto *combo = dialog->item<QComboBox>(setting.controlId);
            auto *edit = dialog->item<QLineEdit>(setting.controlId);
            auto *label = dialog->findChild<QLabel *>(QStringLiteral("static%1").arg(setting.controlId));
            QVERIFY2((combo || edit) && label, qPrintable(name));
            QCOMPARE(name + u": "_s + (combo ? combo->currentText() : edit->text()),
                     name + u": "_s + shownText(setting, image, test::usedLanguage()));
            // PTT ID and PCBA keep their names in every language.
            const bool keepsName = language == u"Eng" || name == u"PTT ID" || name == u"PCBA";
            QVERIFY2((label->text() == name) == keepsName, qPrintable(name));
        }
        if (const QString folder = qEnvironmentVariable("KDW_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(dialog->grab().save(folder + u'/' + QString::fromLatin1(QTest::currentDataTag()) + u".png"_s));
        const bool edited = !keys.isNull() || !clipboard.isNull();
        if (edited && which != D::Pcba) {
            auto *list = dialog->item<QComboBox>(findSetting(which == D::Option ? u"SQL" : u"PTT ID")->controlId);
            list->setFocus();
            QTest::keyClick(list, which == D::Option ? Qt::Key_Up : Qt::Key_Down);
        }
        if (edited) {
            auto *field = dialog->item<QLineEdit>(textSetting(which).controlId);
            field->setFocus();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, keys);
            if (!clipboard.isNull()) {
                QGuiApplication::clipboard()->setText(clipboard);
                QTest::keySequence(field, QKeySequence::Paste);
            }
        }
        closeBy(*dialog, way);
        QVERIFY(dialog->isHidden());

        if (!stored.isNull()) {
            if (which == D::Option)
                expected.setByte(0x1814, 8); // SQL 9 -> 8
            else if (which == D::PttId)
                expected.setBits(region::PttIdMode, 0x03, 1); // Off -> Begin
            expected.copyIn(textSetting(which).text()->offset, textBytes(stored, which));
        }
        QCOMPARE(test::firstDifference(image, expected), QString());
    }

    // Every item of every list shows in full in its closed box, in every
    // language; no two controls overlap and every label stays left of its
    // control, on the dialog.
    void everyItemShowsInFull_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<D>("which");
        for (const QString &code : {u"Eng"_s, u"Chs"_s, u"Cht"_s}) {
            QTest::addRow("option, %s", qPrintable(code)) << code << D::Option;
            QTest::addRow("pttid, %s", qPrintable(code)) << code << D::PttId;
        }
    }
    void everyItemShowsInFull()
    {
        QFETCH(QString, language);
        QFETCH(D, which);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        MemoryImage image = test::builtInDefaultsImage();
        auto dialog = makeDialog(which, image);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        for (QComboBox *combo : dialog->findChildren<QComboBox *>()) {
            for (int i = 0; i < combo->count(); ++i) {
                QStyleOptionComboBox option;
                option.initFrom(combo);
                option.currentText = combo->itemText(i);
                const QRect field
                    = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <= field.width(),
                         qPrintable(combo->itemText(i)));
            }
            auto *label = dialog->findChild<QLabel *>(u"static"_s + combo->objectName().mid(2));
            QVERIFY(label && label->geometry().right() < combo->x());
        }
        QList<QWidget *> controls;
        for (QWidget *w : dialog->findChildren<QWidget *>()) {
            if ((qobject_cast<QLabel *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w))
                && w->isVisible() && !w->parentWidget()->inherits("QComboBox"))
                controls.append(w);
        }
        for (QWidget *a : controls) {
            const QRect ra(a->mapTo(dialog.get(), QPoint()), a->size());
            QVERIFY2(dialog->rect().contains(ra), qPrintable(a->objectName()));
            for (QWidget *b : controls) {
                const QRect rb(b->mapTo(dialog.get(), QPoint()), b->size());
                QVERIFY2(a == b || !ra.intersects(rb), qPrintable(a->objectName() + u' ' + b->objectName()));
            }
        }
        if (const QString folder = qEnvironmentVariable("KDW_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(
                dialog->grab().save(folder + u"/items-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".png"_s));
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"

// The Option, PTT ID and PCBA dialogs on an image of their own, driven by
// key events. KDW_SCREENSHOTS=<folder> keeps a screenshot of each dialog in
// each language there.
#include "uselanguage.h"

#include "app/globals.h"
#include "image/builtindefaults.h"
#include "image/regions.h"
#include "settings/settingsdialog.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

#include <memory>

using namespace kdw;
using namespace Qt::StringLiterals;
using D = SettingsDialog;

namespace {

const QString BuiltDir = QStringLiteral(KDW_PROGRAM_DIR "/");

std::unique_ptr<CSettingsDialog> makeDialog(D which, MemoryImage &image)
{
    if (which == D::Option)
        return std::make_unique<COptionDlg>(image);
    if (which == D::PttId)
        return std::make_unique<CPttIdDlg>(image);
    return std::make_unique<CPcbaDlg>(image);
}

// The built-in defaults, with Roger moved inside its encoding (the defaults
// leave it at 0xFF, which a dialog stores back as "Off").
MemoryImage defaults()
{
    MemoryImage image;
    image.fill(0xFF);
    applyBuiltInDefaults(image);
    image.setByte(0x1820, 0);
    return image;
}

// The text field of each dialog, as the setting table has it.
const Setting &textSetting(D which)
{
    const auto &table = settingTable();
    return *std::find_if(
        table.begin(), table.end(), [which](const Setting &s) { return s.dialog == which && s.text(); });
}
QLineEdit *fieldOf(CSettingsDialog &dialog, D which)
{
    return dialog.item<QLineEdit>(textSetting(which).controlId);
}
QByteArray fieldBytes(const MemoryImage &image, D which)
{
    return image.bytes(textSetting(which).text()->offset, textSetting(which).text()->length);
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

// The first offset where two images differ; -1 when they are the same.
int firstDifference(const MemoryImage &expected, const MemoryImage &actual)
{
    for (int i = 0; i < MemoryImage::Size; ++i) {
        if (expected.byte(i) != actual.byte(i))
            return i;
    }
    return -1;
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
    void initTestCase() { QVERIFY(test::useLanguage(BuiltDir, u"Eng"_s)); }

    // Every setting of the table has its control showing the image's value
    // and a label naming it in the running language; the labels and the list
    // items are readable and nothing overlaps.
    void everySettingHasItsLabelledControl_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<D>("which");
        for (const char *language : {"Eng", "Chs", "Cht"}) {
            QTest::addRow("%s option", language) << QString::fromLatin1(language) << D::Option;
            QTest::addRow("%s pttid", language) << QString::fromLatin1(language) << D::PttId;
            QTest::addRow("%s pcba", language) << QString::fromLatin1(language) << D::Pcba;
        }
    }
    void everySettingHasItsLabelledControl()
    {
        QFETCH(QString, language);
        QFETCH(D, which);
        const auto english = qScopeGuard([] { QVERIFY(test::useLanguage(BuiltDir, u"Eng"_s)); });
        QVERIFY(test::useLanguage(BuiltDir, language));
        MemoryImage image = defaults();
        image.copyIn(region::PttIdCode, QByteArray("12#"));
        image.copyIn(region::Pcba, QByteArray("AB1"));
        auto dialog = makeDialog(which, image);
        dialog->show();

        for (const Setting &setting : settingTable()) {
            if (setting.dialog != which)
                continue;
            const QString name = setting.label.toString();
            auto *combo = setting.choice() ? dialog->item<QComboBox>(setting.controlId) : nullptr;
            auto *edit = setting.choice() ? nullptr : dialog->item<QLineEdit>(setting.controlId);
            auto *label = dialog->findChild<QLabel *>(QStringLiteral("static%1").arg(setting.controlId));
            QVERIFY2((combo || edit) && label, qPrintable(name));
            QCOMPARE(name + u": "_s + (combo ? combo->currentText() : edit->text()),
                     name + u": "_s + shownText(setting, image, languageIndex()));
            if (language == u"Eng")
                QCOMPARE(label->text(), name);
            else if (name != u"PTT ID" && name != u"PCBA")
                QVERIFY2(label->text() != name, qPrintable(name));
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
            for (int i = 0; combo && i < combo->count(); ++i) {
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i))
                             < qMax(combo->width(), combo->view()->minimumWidth()),
                         qPrintable(combo->itemText(i)));
            }
        }
        const auto widgets = dialog->findChildren<QWidget *>(QRegularExpression(u"^(id|static)\\d+$"_s));
        for (auto *a : widgets) {
            QVERIFY2(dialog->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (auto *b : widgets) {
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + u' ' + b->objectName()));
            }
        }
        if (const QString folder = qEnvironmentVariable("KDW_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(dialog->grab().save(folder + u'/' + QString::number(int(which)) + u'-' + language + u".png"_s));
    }

    // The text fields take what the radio can store, typed or pasted, up to
    // their length: DTMF characters for the code (letters as capitals),
    // digits for the password, letters and digits for PCBA.
    void textFieldsFilterTypingAndPasting_data()
    {
        QTest::addColumn<D>("which");
        QTest::addColumn<QString>("keys"); // '\b' is Backspace
        QTest::addColumn<QString>("clipboard"); // null: nothing pasted
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("code: DTMF, capitals") << D::PttId << u"1ab Ex#*"_s << QString() << QByteArray("1AB#*");
        QTest::newRow("code backspace") << D::PttId << u"123\b\b4"_s << QString() << QByteArray("14");
        QTest::newRow("code 17th refused") << D::PttId << u"0123456789ABCD#*5"_s << QString()
                                           << QByteArray("0123456789ABCD#*");
        QTest::newRow("code paste filtered, cut to room") << D::PttId << u"0123456789AB"_s << u"x 一c-d#*9"_s
                                                          << QByteArray("0123456789ABCD#*");
        QTest::newRow("password digits only") << D::Option << u"1a2-3 "_s << QString() << QByteArray("123");
        QTest::newRow("password 7th refused") << D::Option << u"1234567"_s << QString() << QByteArray("123456");
        QTest::newRow("password paste") << D::Option << QString() << u"12 34 56 78"_s << QByteArray("123456");
        QTest::newRow("pcba letters and digits") << D::Pcba << u"ab1- z\bc"_s << QString() << QByteArray("AB1C");
        QTest::newRow("pcba paste filtered") << D::Pcba << QString() << u"pcb-a 01/é"_s << QByteArray("PCBA01");
    }
    void textFieldsFilterTypingAndPasting()
    {
        QFETCH(D, which);
        QFETCH(QString, keys);
        QFETCH(QString, clipboard);
        QFETCH(QByteArray, stored);
        MemoryImage image = defaults();
        auto dialog = makeDialog(which, image);
        dialog->show();
        QLineEdit *field = fieldOf(*dialog, which);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        for (QChar c : keys) {
            if (c == u'\b')
                QTest::keyClick(field, Qt::Key_Backspace);
            else
                QTest::keyClicks(field, QString(c));
        }
        if (!clipboard.isNull()) {
            QGuiApplication::clipboard()->setText(clipboard);
            QTest::keySequence(field, QKeySequence::Paste);
        }
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(dialog->isHidden());
        QCOMPARE(fieldBytes(image, which), textBytes(stored, which));
    }

    // A list changed by key and "12" typed into the text field: Option and
    // PTT ID store by every way of closing, PCBA by OK (Enter) only. Lists
    // store the position of the item, whatever the language shows. Untouched,
    // a dialog keeps every byte inside its encoding and the bits no setting owns.
    void closing_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<D>("which");
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("stores");
        for (auto [which, name] : {std::pair{D::Option, "option"}, std::pair{D::Pcba, "pcba"}}) {
            QTest::addRow("%s close box", name) << u"Eng"_s << which << Way::CloseBox << true << (which == D::Option);
            QTest::addRow("%s escape", name) << u"Eng"_s << which << Way::Escape << true << (which == D::Option);
            QTest::addRow("%s enter", name) << u"Eng"_s << which << Way::Enter << true << true;
        }
        QTest::newRow("pttid close box, Traditional") << u"Cht"_s << D::PttId << Way::CloseBox << true << true;
        QTest::newRow("option untouched") << u"Eng"_s << D::Option << Way::CloseBox << false << true;
        QTest::newRow("pttid untouched, foreign bytes") << u"Eng"_s << D::PttId << Way::Escape << false << true;
        QTest::newRow("pcba untouched") << u"Eng"_s << D::Pcba << Way::Enter << false << true;
    }
    void closing()
    {
        QFETCH(QString, language);
        QFETCH(D, which);
        QFETCH(Way, way);
        QFETCH(bool, edited);
        QFETCH(bool, stores);
        const auto english = qScopeGuard([] { QVERIFY(test::useLanguage(BuiltDir, u"Eng"_s)); });
        QVERIFY(test::useLanguage(BuiltDir, language));
        MemoryImage image = defaults();
        // Every bit set that no setting owns, and in-encoding values at the ends.
        image.copyIn(0x1810, QByteArray::fromHex("a3d7f8ff09090001aa5a03ff060e000003046300140000000000fe0000000000"));
        image.copyIn(region::PowerOnPassword, QByteArray::fromHex("0908ffffffff"));
        image.copyIn(region::PttIdCode, QByteArray("1E\x7f\x80z\x01\n\t"));
        image.copyIn(region::Pcba, QByteArray("AB12"));
        MemoryImage expected = image;
        auto dialog = makeDialog(which, image);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        if (edited && which != D::Pcba) {
            auto *list = dialog->item<QComboBox>(which == D::Option ? 1081 : 1090); // SQL, PTT ID
            list->setFocus();
            QTest::keyClick(list, which == D::Option ? Qt::Key_Up : Qt::Key_Down);
        }
        if (edited) {
            QLineEdit *field = fieldOf(*dialog, which);
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, u"12"_s);
        }
        closeBy(*dialog, way);
        QVERIFY(dialog->isHidden());

        if (edited && stores) {
            if (which == D::Option)
                expected.setByte(0x1814, 8); // SQL 9 -> 8
            else if (which == D::PttId)
                expected.setBits(region::PttIdMode, 0x03, 1); // Off -> Begin
            expected.copyIn(textSetting(which).text()->offset, textBytes("12", which));
        }
        QCOMPARE(firstDifference(expected, image), -1);
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"

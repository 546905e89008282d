#include "app/globals.h"
#include "app/startup.h"
#include "image/builtindefaults.h"
#include "image/regions.h"
#include "settings/settingsdialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

const QString ProgramDir = QStringLiteral(KDW_PROGRAM_DIR "/");

// Makes `code` the running language: the bundle with its translation and
// the language index. The previous bundle is unloaded first.
std::unique_ptr<LanguageBundle> &bundle()
{
    static std::unique_ptr<LanguageBundle> loaded;
    return loaded;
}

void useLanguage(const QString &code)
{
    bundle().reset();
    bundle() = std::make_unique<LanguageBundle>();
    QVERIFY(bundle()->load(ProgramDir, code));
    setLanguageIndex(languageIndexForCode(code));
}

std::unique_ptr<CSettingsDialog> makeDialog(SettingsDialog which, MemoryImage &image)
{
    switch (which) {
    case SettingsDialog::Option:
        return std::make_unique<COptionDlg>(image);
    case SettingsDialog::PttId:
        return std::make_unique<CPttIdDlg>(image);
    case SettingsDialog::Pcba:
        return std::make_unique<CPcbaDlg>(image);
    }
    return nullptr;
}

MemoryImage defaults()
{
    MemoryImage image;
    image.fill(0xFF);
    applyBuiltInDefaults(image);
    return image;
}

// The built-in defaults leave Roger at 0xFF, outside its encoding.
MemoryImage inEncoding()
{
    MemoryImage image = defaults();
    image.setByte(0x1820, 0);
    return image;
}

QLineEdit *fieldOf(CSettingsDialog &dialog, SettingsDialog which)
{
    const int id = which == SettingsDialog::Option ? 1118 : which == SettingsDialog::PttId ? 1096 : 1092;
    return dialog.item<QLineEdit>(id);
}

QByteArray bytesOf(const MemoryImage &image, SettingsDialog which)
{
    switch (which) {
    case SettingsDialog::Option:
        return image.bytes(region::PowerOnPassword, region::PowerOnPasswordLength);
    case SettingsDialog::PttId:
        return image.bytes(region::PttIdCode, region::PttIdCodeLength);
    case SettingsDialog::Pcba:
        return image.bytes(region::Pcba, region::PcbaLength);
    }
    return {};
}

// The bytes of a text field after `text`: the characters, then 0xFF.
QByteArray textBytes(const QByteArray &characters, int length, bool digitValues = false)
{
    QByteArray bytes(length, char(0xFF));
    for (int i = 0; i < characters.size(); ++i)
        bytes[i] = digitValues ? char(characters[i] - '0') : characters[i];
    return bytes;
}

// The offsets where two images differ, as "0x1814: 0c -> 05", so a failure
// names the bytes.
QStringList differences(const MemoryImage &before, const MemoryImage &after)
{
    QStringList list;
    for (int i = 0; i < MemoryImage::Size; ++i) {
        if (before.byte(i) != after.byte(i))
            list << u"0x%1: %2 -> %3"_s.arg(i, 4, 16, QChar(u'0'))
                        .arg(before.byte(i), 2, 16, QChar(u'0'))
                        .arg(after.byte(i), 2, 16, QChar(u'0'));
    }
    return list;
}

enum class Way { CloseBox, Escape, Enter };

void closeBy(CSettingsDialog &dialog, Way way)
{
    QWidget *target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    switch (way) {
    case Way::CloseBox:
        dialog.close();
        break;
    case Way::Escape:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
    case Way::Enter:
        QTest::keyClick(target, Qt::Key_Return);
        break;
    }
}

} // namespace

class TestSettingsDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useLanguage(QStringLiteral("Eng")); }
    void cleanupTestCase() { bundle().reset(); }

    void layout_data();
    void layout();
    void dialogsShowTheTable();
    void itemsFollowTheLanguage();
    void typing_data();
    void typing();
    void pasting_data();
    void pasting();
    void editingShortcuts();
    void closing_data();
    void closing();
    void openAndCloseKeepsInEncodingBytes_data();
    void openAndCloseKeepsInEncodingBytes();
    void openAndCloseNormalisesOutOfEncoding();
    void screenshots();
};

void TestSettingsDialogs::layout_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<SettingsDialog>("which");
    for (const char *language : {"Eng", "Chs", "Cht"}) {
        QTest::addRow("%s option", language) << QString::fromLatin1(language) << SettingsDialog::Option;
        QTest::addRow("%s pttid", language) << QString::fromLatin1(language) << SettingsDialog::PttId;
        QTest::addRow("%s pcba", language) << QString::fromLatin1(language) << SettingsDialog::Pcba;
    }
}

// Every setting of the table has its control and a label that names it; the
// labels are readable in the language and nothing overlaps.
void TestSettingsDialogs::layout()
{
    QFETCH(QString, language);
    QFETCH(SettingsDialog, which);
    useLanguage(language);
    MemoryImage image = defaults();
    auto dialog = makeDialog(which, image);
    dialog->show();

    for (const Setting &setting : settingTable()) {
        if (setting.dialog != which)
            continue;
        QWidget *control = setting.choice() ? static_cast<QWidget *>(dialog->item<QComboBox>(setting.controlId))
                                            : dialog->item<QLineEdit>(setting.controlId);
        QVERIFY2(control, qPrintable(setting.label.toString()));
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("static%1").arg(setting.controlId));
        QVERIFY2(label, qPrintable(setting.label.toString()));
        if (language == u"Eng")
            QCOMPARE(label->text(), setting.label.toString());
        else if (setting.label != u"PTT ID" && setting.label != u"PCBA")
            QVERIFY2(label->text() != setting.label, qPrintable(setting.label.toString()));
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
            qPrintable(label->text()));
        QVERIFY(label->geometry().right() < control->geometry().left());
    }

    const auto widgets = dialog->findChildren<QWidget *>(QRegularExpression(QStringLiteral("^(id|static)\\d+$")));
    const QRect client = dialog->rect();
    for (auto *a : widgets) {
        QVERIFY2(client.contains(a->geometry()), qPrintable(a->objectName()));
        for (auto *b : widgets) {
            if (a != b)
                QVERIFY2(
                    !a->geometry().intersects(b->geometry()), qPrintable(a->objectName() + u' ' + b->objectName()));
        }
    }
    useLanguage(QStringLiteral("Eng"));
}

// Each control shows what the table shows for the image (the built-in
// defaults' list is pinned by the table's own test and by kdw-cli's).
void TestSettingsDialogs::dialogsShowTheTable()
{
    MemoryImage image = defaults();
    image.copyIn(region::PttIdCode, QByteArray("12#"));
    image.copyIn(region::Pcba, QByteArray("AB1"));
    for (SettingsDialog which : {SettingsDialog::Option, SettingsDialog::PttId, SettingsDialog::Pcba}) {
        auto dialog = makeDialog(which, image);
        for (const Setting &setting : settingTable()) {
            if (setting.dialog != which)
                continue;
            const QString text = setting.choice() ? dialog->item<QComboBox>(setting.controlId)->currentText()
                                                  : dialog->item<QLineEdit>(setting.controlId)->text();
            QCOMPARE(setting.label.toString() + u": "_s + text,
                setting.label.toString() + u": "_s + shownText(setting, image, 0));
        }
    }
}

void TestSettingsDialogs::itemsFollowTheLanguage()
{
    useLanguage(QStringLiteral("Cht"));
    MemoryImage image = defaults();
    {
        COptionDlg option(image);
        auto *beep = option.item<QComboBox>(1088);
        QCOMPARE(beep->itemText(0), u"開"_s);
        QCOMPARE(beep->itemText(1), u"關"_s);
        QCOMPARE(option.windowTitle(), u"選項"_s);
        auto *ste = option.item<QComboBox>(1111);
        QVERIFY(ste->view()->minimumWidth() > ste->fontMetrics().horizontalAdvance(u"120度相位偏移"_s));
        CPttIdDlg pttId(image);
        QCOMPARE(pttId.item<QComboBox>(1090)->currentText(), u"關閉"_s);
        QCOMPARE(pttId.item<QComboBox>(1097)->currentText(), u"關"_s);
    }
    const MemoryImage before = image;
    {
        COptionDlg option(image);
        option.show();
        option.item<QComboBox>(1088)->setCurrentIndex(1); // 關
        option.close();
    }
    QCOMPARE(image.byte(0x1811), quint8(before.byte(0x1811) & ~0x10));
    useLanguage(QStringLiteral("Eng"));
}

void TestSettingsDialogs::typing_data()
{
    QTest::addColumn<SettingsDialog>("which");
    QTest::addColumn<QString>("keys"); // '\b' is Backspace
    QTest::addColumn<QByteArray>("expected");

    using D = SettingsDialog;
    QTest::newRow("code dtmf, letters capitals") << D::PttId << u"12ab#"_s << textBytes("12AB#", 16);
    QTest::newRow("code drops E, x, space") << D::PttId << u"1Ex 2*"_s << textBytes("12*", 16);
    QTest::newRow("code backspace") << D::PttId << u"123\b\b4"_s << textBytes("14", 16);
    QTest::newRow("code 17th refused") << D::PttId << u"0123456789ABCD#*5"_s << textBytes("0123456789ABCD#*", 16);
    QTest::newRow("password digits only") << D::Option << u"1a2-3 "_s << textBytes("123", 6, true);
    QTest::newRow("password backspace") << D::Option << u"12\b"_s << textBytes("1", 6, true);
    QTest::newRow("password 7th refused") << D::Option << u"1234567"_s << textBytes("123456", 6, true);
    QTest::newRow("pcba letters and digits") << D::Pcba << u"ab1- z"_s << textBytes("AB1Z", 16);
    QTest::newRow("pcba backspace") << D::Pcba << u"ab\bc"_s << textBytes("AC", 16);
    QTest::newRow("pcba 17th refused") << D::Pcba << u"ABCDEFGHIJKLMNOPQ"_s << textBytes("ABCDEFGHIJKLMNOP", 16);
}

void TestSettingsDialogs::typing()
{
    QFETCH(SettingsDialog, which);
    QFETCH(QString, keys);
    QFETCH(QByteArray, expected);
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
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(dialog->isHidden());
    QCOMPARE(bytesOf(image, which), expected);
}

void TestSettingsDialogs::pasting_data()
{
    QTest::addColumn<SettingsDialog>("which");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QByteArray>("expected");

    using D = SettingsDialog;
    QTest::newRow("code filtered") << D::PttId << u""_s << u" 12-ab\n#xE*"_s << textBytes("12AB#*", 16);
    QTest::newRow("code cut to room") << D::PttId << u"0123456789ABCD"_s << u"x#*99"_s
                                      << textBytes("0123456789ABCD#*", 16);
    QTest::newRow("code chinese dropped") << D::PttId << u"1"_s << u"一二3"_s << textBytes("13", 16);
    QTest::newRow("password spaced digits") << D::Option << u""_s << u"12 34 56 78"_s << textBytes("123456", 6, true);
    QTest::newRow("password letters dropped") << D::Option << u"9"_s << u"abc"_s << textBytes("9", 6, true);
    QTest::newRow("pcba filtered") << D::Pcba << u""_s << u"pcb-a 01/é"_s << textBytes("PCBA01", 16);
}

void TestSettingsDialogs::pasting()
{
    QFETCH(SettingsDialog, which);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QByteArray, expected);
    MemoryImage image = defaults();
    auto dialog = makeDialog(which, image);
    dialog->show();
    QLineEdit *field = fieldOf(*dialog, which);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, before);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keySequence(field, QKeySequence::Paste);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(bytesOf(image, which), expected);
}

// Select all, copy, cut and paste work in the filtered fields.
void TestSettingsDialogs::editingShortcuts()
{
    MemoryImage image = defaults();
    for (SettingsDialog which : {SettingsDialog::Option, SettingsDialog::PttId, SettingsDialog::Pcba}) {
        auto dialog = makeDialog(which, image);
        dialog->show();
        QLineEdit *field = fieldOf(*dialog, which);
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, u"123"_s);
        QTest::keySequence(field, QKeySequence::SelectAll);
        QTest::keySequence(field, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"123"_s);
        QTest::keySequence(field, QKeySequence::Cut);
        QCOMPARE(field->text(), QString());
        QTest::keySequence(field, QKeySequence::Paste);
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(field->text(), u"123123"_s);
    }
}

void TestSettingsDialogs::closing_data()
{
    QTest::addColumn<SettingsDialog>("which");
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("stores");
    using D = SettingsDialog;
    for (auto [which, name] :
        {std::pair {D::Option, "option"}, std::pair {D::PttId, "pttid"}, std::pair {D::Pcba, "pcba"}}) {
        const bool storesAlways = which != D::Pcba;
        QTest::addRow("%s close box", name) << which << Way::CloseBox << storesAlways;
        QTest::addRow("%s escape", name) << which << Way::Escape << storesAlways;
        QTest::addRow("%s enter", name) << which << Way::Enter << true;
    }
}

// Option and PTT ID store by every way of closing; PCBA on OK (Enter) only.
void TestSettingsDialogs::closing()
{
    QFETCH(SettingsDialog, which);
    QFETCH(Way, way);
    QFETCH(bool, stores);
    MemoryImage image = inEncoding();
    const MemoryImage before = image;
    auto dialog = makeDialog(which, image);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));

    QComboBox *list = which == SettingsDialog::Option ? dialog->item<QComboBox>(1081) // SQL
        : which == SettingsDialog::PttId              ? dialog->item<QComboBox>(1090) // PTT ID
                                                      : nullptr;
    if (list) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }
    QLineEdit *field = fieldOf(*dialog, which);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, u"12"_s);
    closeBy(*dialog, way);
    QVERIFY(dialog->isHidden());

    MemoryImage expected = before;
    if (stores) {
        if (which == SettingsDialog::Option) {
            expected.setByte(0x1814, 6);
            expected.copyIn(region::PowerOnPassword, textBytes("12", 6, true));
        } else if (which == SettingsDialog::PttId) {
            expected.setByte(region::PttIdMode, 0xFD);
            expected.copyIn(region::PttIdCode, textBytes("12", 16));
        } else {
            expected.copyIn(region::Pcba, textBytes("12", 16));
        }
    }
    QCOMPARE(differences(expected, image).join(u", "), QString());
}

void TestSettingsDialogs::openAndCloseKeepsInEncodingBytes_data()
{
    QTest::addColumn<SettingsDialog>("which");
    QTest::addColumn<QByteArray>("settings"); // 0x1810..0x182F
    QTest::addColumn<QByteArray>("texts"); // written to the dialog's text field

    QByteArray settings = inEncoding().bytes(0x1810, 0x20);
    QTest::newRow("option defaults") << SettingsDialog::Option << settings << QByteArray::fromHex("000102030405");
    // Every bit set that no setting owns, and in-encoding values at the ends.
    settings = QByteArray::fromHex("a3d7f8ff09090001aa5a03ff060e0000"
                                   "03046300140000000000fe0000000000");
    QTest::newRow("option others") << SettingsDialog::Option << settings << QByteArray::fromHex("0908ffffffff");
    QTest::newRow("pttid code") << SettingsDialog::PttId << settings << QByteArray("0123456789ABCD#*");
    QTest::newRow("pttid foreign bytes") << SettingsDialog::PttId << settings << QByteArray("1E\x7f\x80z\x01\n\t");
    QTest::newRow("pcba") << SettingsDialog::Pcba << settings << QByteArray("AB12");
}

void TestSettingsDialogs::openAndCloseKeepsInEncodingBytes()
{
    QFETCH(SettingsDialog, which);
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, texts);
    MemoryImage image = inEncoding();
    image.copyIn(0x1810, settings);
    const int at = which == SettingsDialog::Option ? region::PowerOnPassword
        : which == SettingsDialog::PttId           ? region::PttIdCode
                                                   : region::Pcba;
    image.copyIn(at, texts);
    const MemoryImage before = image;
    for (Way way : {Way::CloseBox, Way::Escape, Way::Enter}) {
        auto dialog = makeDialog(which, image);
        dialog->show();
        closeBy(*dialog, way);
        QCOMPARE(differences(before, image).join(u", "), QString());
    }
}

// Values outside the encoding show their fall-back and closing stores it.
void TestSettingsDialogs::openAndCloseNormalisesOutOfEncoding()
{
    MemoryImage image = defaults();
    image.setByte(0x1814, 12); // SQL
    image.setByte(0x181C, 0); // Vox Delay Time
    image.setByte(0x1819, 200); // First Digit Delay Time
    image.setBits(0x1810, 0x30, 0x00); // Scan Mode 00b
    image.setBits(0x1810, 0x0C, 0x0C); // Backlight Mode 11b
    image.setBits(0x1812, 0x03, 0x03); // STE 11b
    image.setByte(0x1829, 7); // Receive Alarm Time
    image.copyIn(region::PowerOnPassword, QByteArray::fromHex("01020a030405"));
    MemoryImage expected = image;
    expected.setByte(0x1814, 5);
    expected.setByte(0x181C, 4);
    expected.setByte(0x1819, 2);
    expected.setBits(0x1810, 0x30, 0x10);
    expected.setBits(0x1810, 0x0C, 0x04);
    expected.setBits(0x1812, 0x03, 0x00);
    expected.setByte(0x1829, 0);
    expected.setByte(0x1820, 0); // Roger 0xFF of the built-in defaults
    expected.copyIn(region::PowerOnPassword, QByteArray::fromHex("0102ffffffff"));

    COptionDlg dialog(image);
    QCOMPARE(dialog.item<QComboBox>(1081)->currentText(), u"5"_s);
    QCOMPARE(dialog.item<QComboBox>(1080)->currentText(), u"2.0"_s);
    QCOMPARE(dialog.item<QLineEdit>(1118)->text(), u"12"_s);
    dialog.show();
    dialog.close();
    QCOMPARE(differences(expected, image).join(u", "), QString());
}

// Writes PNGs of the three dialogs in every language to $KDW_SCREENSHOTS.
void TestSettingsDialogs::screenshots()
{
    const QString folder = qEnvironmentVariable("KDW_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("set KDW_SCREENSHOTS to a folder to write screenshots");
    for (const char *language : {"Eng", "Chs", "Cht"}) {
        useLanguage(QString::fromLatin1(language));
        MemoryImage image = defaults();
        image.copyIn(region::PttIdCode, QByteArray("123#"));
        image.copyIn(region::Pcba, QByteArray("PCBA0123"));
        for (auto [which, name] : {std::pair {SettingsDialog::Option, "option"},
                 std::pair {SettingsDialog::PttId, "pttid"}, std::pair {SettingsDialog::Pcba, "pcba"}}) {
            auto dialog = makeDialog(which, image);
            dialog->show();
            QVERIFY(dialog->grab().save(
                QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(name), QLatin1String(language)))));
        }
    }
    useLanguage(QStringLiteral("Eng"));
}

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"

// Reading the dialog templates: the bundle's own in each language, and the
// templates the reader refuses.
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/dialogs/templatereader.h"
#include "uselanguage.h"

#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// A template in the bundle's form around the given controls.
QByteArray form(const QByteArray &controls)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Template101</class>
 <widget class="QWidget" name="template">
  <property name="geometry"><rect><x>0</x><y>0</y><width>100</width><height>50</height></rect></property>
)" + controls
           + R"(
 </widget>
 <resources/>
 <connections/>
</ui>
)";
}

} // namespace

class TestDialogTemplates : public QObject
{
    Q_OBJECT

private slots:
    // The main form in each language: its texts translated in the template's
    // context, list items marked notr kept, hidden editors hidden, and the
    // geometry turned from dialog units into pixels by the template's font.
    void mainFormInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("model");
        QTest::newRow("English") << u"Eng"_s << u"&Model"_s;
        QTest::newRow("Simplified") << u"Chs"_s << u"型号(&M)"_s;
        QTest::newRow("Traditional") << u"Cht"_s << u"型號(&M)"_s;
    }
    void mainFormInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, model);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        QWidget parent;
        QWidget *form = loadTemplateWidget(101, &parent);
        QVERIFY(form);
        QCOMPARE(form->font().family(), u"Arial"_s);
        QCOMPARE(form->font().pointSize(), 8);
        QCOMPARE(form->size(), dialogUnitsToPixels({0, 0, 503, 245}, form->font()).size());
        QCOMPARE(form->findChild<QLabel *>(u"staticModel"_s)->text(), model);
        const auto *modelList = form->findChild<QComboBox *>(controlName(ctl::form::Model));
        QCOMPARE(modelList->count(), 1);
        QCOMPARE(modelList->itemText(0), u"KDW417"_s);
        QVERIFY(form->findChild<QLineEdit *>(controlName(ctl::form::FreqEdit))->isHidden());
        QVERIFY(!form->findChild<QPushButton *>(controlName(ctl::form::DefaultFactory))->autoDefault());
    }

    // What the reader does not know it refuses, naming the line, and leaves
    // nothing of the form behind.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("not a form") << QByteArray("<html/>") << u"line 1: not a form"_s;
        QTest::newRow("broken XML") << form(R"(<widget class="QLabel" name="a"></label>)")
                                    << u"line 6: Opening and ending tag mismatch."_s;
        QTest::newRow("unknown class") << form(R"(<widget class="QSlider" name="a"/>)")
                                       << u"line 6: widget class QSlider is not one the templates use"_s;
        QTest::newRow("unknown property")
            << form(R"(<widget class="QLabel" name="a"><property name="checked"><bool>true</bool></property></widget>)")
            << u"line 6: QLabel has no property checked"_s;
        QTest::newRow("unknown element") << form(R"(<layout class="QVBoxLayout"/>)")
                                         << u"line 6: unexpected <layout>"_s;
        QTest::newRow("no such alignment") << form(
            R"(<widget class="QLabel" name="a"><property name="alignment"><set>Qt::AlignMiddle</set></property></widget>)")
                                           << u"line 6: Qt::AlignMiddle is not a value of alignment"_s;
        QTest::newRow("value of another kind")
            << form(R"(<widget class="QLabel" name="a"><property name="text"><bool>true</bool></property></widget>)")
            << u"line 6: property text does not take <bool>"_s;
        QTest::newRow("rectangle without height") << form(
            R"(<widget class="QLabel" name="a"><property name="geometry"><rect><x>1</x><y>2</y><width>3</width></rect></property></widget>)")
                                                  << u"line 6: a rectangle without height"_s;
        QTest::newRow("bold font") << form(
            R"(<widget class="QLabel" name="a"><property name="font"><font><bold>true</bold></font></property></widget>)")
                                   << u"line 6: a font names its family and point size only"_s;
        QTest::newRow("item outside a list") << form(
            R"(<widget class="QLabel" name="a"><item><property name="text"><string>x</string></property></item></widget>)")
                                             << u"line 6: unexpected <item>"_s;
        QTest::newRow("two values") << form(
            R"(<widget class="QLabel" name="a"><property name="text"><string>x</string><string>y</string></property></widget>)")
                                    << u"line 6: unexpected <string>"_s;
        QTest::newRow("no form widget") << QByteArray("<ui version=\"4.0\"><class>T</class></ui>")
                                        << u"line 1: no form widget"_s;
    }
    void refusals()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QBuffer buffer(&text);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QWidget parent;
        QString reason;
        QCOMPARE(readTemplate(buffer, &parent, &reason), nullptr);
        QCOMPARE(reason, error);
        QVERIFY(parent.children().isEmpty());
    }
};

QTEST_MAIN(TestDialogTemplates)
#include "tst_dialogtemplates.moc"

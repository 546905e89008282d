#pragma once

#include <QDialog>
#include <QRect>

class QFont;
class QLabel;

namespace kdw {

// Dialog templates come from the language bundle as Qt Designer files
// (":/bundle/templates/<id>.ui"). Their geometry is in dialog units, turned
// into pixels through the base units of the template's own font, so a bundle
// whose templates name another font lays its dialogs out for that font.
// Controls carry their resource id as object name: "id1094".
QRect dialogUnitsToPixels(const QRect &dialogUnits, const QFont &font);

// Measures the base units of `font`, on any thread, for the templates later
// laid out in it: a font is measured once.
void measureDialogUnits(const QFont &font);

QString controlName(int id);

// Names `control` by `label`, the text beside or above it: the label becomes
// its buddy and its accessible name is the label's text without the mnemonic
// mark, which is what a screen reader says for it (a list or a table takes
// its name from the accessible name only).
void nameByLabel(QWidget *control, QLabel *label);

// Loads template `id` as a widget of its own (the main form); geometry is
// converted, each control without a caption is named by the label beside it
// (its buddy, and its accessible name), nothing is shown. nullptr when the bundle has no such template.
QWidget *loadTemplateWidget(int id, QWidget *parent);

// A modal dialog built from a template: caption, font, size and controls.
// A control that no label names (the transfer dialog's progress bar) is named
// by the dialog's caption, and follows it when it changes.
class CTemplateDialog : public QDialog
{
    Q_OBJECT

public:
    CTemplateDialog(int templateId, QWidget *parent);

    template <typename T>
    T *item(int id) const
    {
        return findChild<T *>(controlName(id));
    }

protected:
    QWidget *m_form = nullptr;
};

} // namespace kdw

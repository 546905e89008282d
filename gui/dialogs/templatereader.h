#pragma once

#include <QString>

class QIODevice;
class QWidget;

namespace kdw {

// Builds the widgets of a dialog template, a Qt Designer file as the language
// bundles carry them, under `parent`, the way Qt's form loader would: the form
// widget and its controls in file order, each control's properties set through
// Qt's property system, texts translated in the template's class (the
// translation context) unless marked notr, list items added to drop-down lists.
// The templates use a small part of the format: widgets of Qt's own classes,
// no layouts, properties of the kinds rect, font (family, point size), string,
// bool, number, enum, set and pixmap. Anything else is refused rather than
// skipped, so that a template cannot lose a property unnoticed.
// Returns the form widget, or nullptr with the reason and line in *error.
QWidget *readTemplate(QIODevice &device, QWidget *parent, QString *error);

} // namespace kdw

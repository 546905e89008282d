#pragma once

#include "core/text/language.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace kdw {

class CProgramDoc;

// What a document is called on screen: its file's name, or "Untitled" when no
// file holds it (a new document, a backup or the radio's memory opened as one).
QString documentDisplayName(const QString &pathName, Language language);

// "doc1.sin[*] — KDW PC Encoder", with "(read from radio)" after the name of
// a file the radio's memory was read into; `[*]` is where the window shows
// its modified mark.
QString documentTitle(const QString &pathName, bool readFromRadio, Language language);

// Keeps the window's title and modified mark on the document from now on.
void showDocumentInTitle(QWidget *window, const CProgramDoc &doc);

} // namespace kdw

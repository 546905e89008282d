#include "gui/dialogs/previewnames.h"

#include "core/text/localisedtext.h"

#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QToolButton>

namespace kdw {

namespace {

constexpr LocalisedText ZoomName{u"Zoom", u"缩放", u"縮放"};
constexpr LocalisedText ZoomPercentName{u"Zoom in per cent", u"缩放百分比", u"縮放百分比"};
constexpr LocalisedText PageNumberName{u"Page number", u"页码", u"頁碼"};
constexpr LocalisedText PagesName{u"Pages", u"页面", u"頁面"};
constexpr LocalisedText MoreButtonsName{u"More buttons", u"更多按钮", u"更多按鈕"};

} // namespace

void namePreviewControls(QPrintPreviewDialog *dialog, Language language)
{
    for (auto *zoom : dialog->findChildren<QComboBox *>()) {
        // On Linux a list's name is its current item; a description says
        // what the list is where no label does.
        zoom->setAccessibleName(ZoomName.text(language));
        zoom->setAccessibleDescription(ZoomName.text(language));
        if (QLineEdit *editor = zoom->lineEdit())
            editor->setAccessibleName(ZoomPercentName.text(language));
    }
    for (auto *edit : dialog->findChildren<QLineEdit *>()) {
        if (edit->accessibleName().isEmpty())
            edit->setAccessibleName(PageNumberName.text(language));
    }
    // The page view by the dialog's caption, the pages drawn in it as such;
    // both take the focus.
    for (auto *view : dialog->findChildren<QGraphicsView *>()) {
        view->setAccessibleName(dialog->windowTitle());
        view->viewport()->setAccessibleName(PagesName.text(language));
    }
    // The toolbar's button for what does not fit it.
    for (auto *more : dialog->findChildren<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(MoreButtonsName.text(language));
}

} // namespace kdw

#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace kdw::test {

// Calls `answer` with the next modal dialog of type T as soon as its event
// loop runs; the returned flag tells whether it was seen. Call it before the
// code that runs the dialog.
template <typename T>
std::shared_ptr<bool> whenModal(std::function<void(T *)> answer)
{
    auto seen = std::make_shared<bool>(false);
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, answer, tries = 0]() mutable {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            *seen = true;
            answer(dialog);
            // A check of `answer` that failed returned early: the dialog is
            // closed so that the test fails instead of waiting for ever.
            if (QTest::currentTestFailed() && dialog->isVisible())
                if (auto *box = qobject_cast<QDialog *>(dialog))
                    box->reject();
        } else if (!QApplication::activeModalWidget() && ++tries > 2000) { // a dialog before it waits
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return seen;
}

} // namespace kdw::test

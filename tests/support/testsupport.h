#pragma once
// Test support for the tests of windows and panels. The program-level fixture
// is in programfixture.h; the simulated board and the tick helper, which
// need no window, are in simboard.h.
//
//   auto *next = test::control<QPushButton>(window, "NextCMD");   // fails the case if missing
#include "gui/ui.h"
#include "tests/support/simboard.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>
#include <type_traits>

namespace ort::test {

// Answers message boxes and file dialogs, and remembers what was asked.
class FakeUi final : public Ui {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &folder) override;
    // Answered from fileAnswers as well; the caption is kept in saveCaptions.
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &folder) override;

    QList<MessageRequest> messages;
    QStringList fileFilters;
    QStringList fileFolders;   // the folder each dialog opened in
    QStringList fileAnswers;   // taken in order; empty = the user cancels
    QStringList saveCaptions;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // Runs while a box is "open", as a real box's event loop would run timer
    // ticks and clicks: set it to make something happen behind a box.
    std::function<void(const MessageRequest &)> whileOpen;
};

// Makes `ui` show every box it is asked for as a real QMessageBox, whose
// event loop is Qt's own, and close it as soon as `enough` holds (checked
// every millisecond) or after `seconds`. For the few tests that must see what
// the program's real timers do while a box is open: these wait on real time.
void answerWithRealBoxes(FakeUi &ui, std::function<bool()> enough, double seconds = 2);

// Top-level windows that are still there (by object name or class).
QStringList leftWindows();
// Deletes what is pending deletion, then fails the current case for every
// top-level window left, naming it, and deletes those so that one leak does
// not fail every later case. Call it in cleanup().
void checkNoWindowLeft(std::source_location where = std::source_location::current());

namespace detail {
QString missingControlText(const QObject *parent, const QString &name, const char *type);
void keepStandIn(QObject *standIn);
} // namespace detail

// The control `name` (an object name) of type T under `parent`. A missing
// control fails the current test case, naming what is there, and a hidden
// stand-in is returned so that the case runs to its end without crashing;
// its checks fail or pass harmlessly after the first failure.
template <typename T>
T *control(QObject *parent, const char *name, std::source_location where = std::source_location::current())
{
    if (parent)
        if (T *found = parent->findChild<T *>(QString::fromLatin1(name)))
            return found;
    detail::fail(detail::missingControlText(parent, QString::fromLatin1(name), T::staticMetaObject.className()), where);
    if constexpr (std::is_abstract_v<T>) {
        return nullptr;
    } else if constexpr (std::is_base_of_v<QWidget, T>) {
        QWidget *parentWidget = qobject_cast<QWidget *>(parent);
        T *standIn = new T(parentWidget);
        standIn->hide();
        if (!parentWidget)
            detail::keepStandIn(standIn);
        return standIn;
    } else {
        T *standIn = new T(parent);
        if (!parent)
            detail::keepStandIn(standIn);
        return standIn;
    }
}

// Shows a window offscreen, renders it to <folder>/<name>.png and prints the path.
void saveWindowPicture(QWidget *window, const QString &folder, const char *name);

} // namespace ort::test

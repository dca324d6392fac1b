#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimerEvent>
#include <cstdio>

namespace ort::test {

QMessageBox::StandardButton FakeUi::message(QWidget *, const MessageRequest &request)
{
    messages.append(request);
    if (whileOpen)
        whileOpen(request);
    return answer;
}

QString FakeUi::openFileName(QWidget *, const QString &, const QString &filter, const QString &folder)
{
    fileFilters.append(filter);
    fileFolders.append(folder);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString FakeUi::saveFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &folder)
{
    saveCaptions.append(caption);
    return openFileName(parent, caption, filter, folder);
}

void answerWithRealBoxes(FakeUi &ui, std::function<bool()> enough, double seconds)
{
    ui.whileOpen = [enough = std::move(enough), seconds](const MessageRequest &request) {
        QElapsedTimer open;
        open.start();
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!enough() && open.elapsed() < seconds * 1000)
                return;
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->done(QMessageBox::Ok);
        });
        watch.start();
        QtUi().message(nullptr, request);
    };
}

namespace {
QList<QPointer<QObject>> g_standIns;
} // namespace

namespace detail {

QString missingControlText(const QObject *parent, const QString &name, const char *type)
{
    if (!parent)
        return QStringLiteral("no %1 named %2: the window is missing").arg(QLatin1String(type), name);
    QStringList present;
    for (const QObject *child : parent->findChildren<QObject *>())
        if (!child->objectName().isEmpty())
            present << child->objectName();
    present.sort();
    return QStringLiteral("no %1 named %2 in %3 (there are: %4)")
        .arg(QLatin1String(type), name, parent->objectName(), present.join(QStringLiteral(", ")));
}

void keepStandIn(QObject *standIn)
{
    g_standIns.append(standIn);
}

} // namespace detail

QStringList leftWindows()
{
    QStringList names;
    for (const QWidget *w : QApplication::topLevelWidgets())
        names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return names;
}

void checkNoWindowLeft(std::source_location where)
{
    for (const QPointer<QObject> &o : std::as_const(g_standIns))
        delete o.data();
    g_standIns.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList left = leftWindows();
    if (left.isEmpty())
        return;
    detail::fail(QStringLiteral("windows left open: ") + left.join(QStringLiteral(", ")), where);
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget> &w : std::as_const(windows))
        delete w.data();
}

void saveWindowPicture(QWidget *window, const QString &folder, const char *name)
{
    window->show();
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace ort::test

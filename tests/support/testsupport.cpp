#include "tests/support/testsupport.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace ort::test {

QMessageBox::StandardButton FakeUi::message(QWidget *, const MessageRequest &request)
{
    messages.append(request);
    return answer;
}

QString FakeUi::openFileName(QWidget *, const QString &, const QString &filter)
{
    fileFilters.append(filter);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

SimBoard::SimBoard(const sim::Scenario &scenario) : clock(std::make_shared<ManualClock>())
{
    auto b = std::make_unique<sim::SimBackend>(scenario, clock);
    backend = b.get();
    installBusAccess(std::make_unique<BusAccessServer>(std::move(b)));
    busAccess().transcript().setEnabled(true);
}

QStringList SimBoard::calls() const
{
    QStringList out;
    for (const std::string &c : busAccess().transcript().calls()) {
        const QString s = QString::fromStdString(c);
        if (s != "BusAccessServer.PrinterPort()" && s != "BusAccessServer.Smbus()")
            out << s;
    }
    return out;
}

} // namespace ort::test

namespace ort::test {

void saveWindowPicture(QWidget *window, const QString &folder, const char *name)
{
    window->show();
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace ort::test

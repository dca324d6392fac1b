#pragma once
#include "component/busaccess.h"
#include "component/clock.h"
#include "component/sim/simbackend.h"
#include "shell/ui.h"

#include <QList>
#include <QStringList>
#include <memory>

namespace ort::test {

// Answers message boxes and file dialogs, and remembers what was asked.
class FakeUi final : public Ui {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;

    QList<MessageRequest> messages;
    QStringList fileFilters;
    QStringList fileAnswers;   // taken in order; empty = the user cancels
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

// Installs a simulated board as the component's global instance, on a
// manual clock, with the transcript on.
struct SimBoard {
    explicit SimBoard(const sim::Scenario &scenario = sim::Scenario::defaultBoard());
    std::shared_ptr<ManualClock> clock;
    sim::SimBackend *backend;       // owned by the installed server
    BusAccessServer &server() { return busAccess(); }
    // The calls the program made, without the accessors that reach objects.
    QStringList calls() const;
};

} // namespace ort::test

namespace ort::test {

// Shows a window offscreen, renders it to <folder>/<name>.png and prints the path.
void saveWindowPicture(QWidget *window, const QString &folder, const char *name);

} // namespace ort::test

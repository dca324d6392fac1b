#pragma once
#include <QMessageBox>
#include <QString>

class QWidget;

namespace ort {

// Message boxes and the open-file dialog go through this seam so that tests
// can answer them and read what was asked, and no test ever blocks.
struct MessageRequest {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) = 0;
    // An empty result means the user cancelled. `filter` is in Qt's form,
    // e.g. "Excel Files (*.xls)".
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    // A file to write, asking before one is replaced. `filter` may list
    // several types ("PNG Image (*.png);;SVG Drawing (*.svg)"); a name given
    // without an extension gets that of the type chosen. Empty: cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
};

// The real dialogs.
class QtUi final : public Ui {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) override;
};

} // namespace ort

#pragma once
#include <QWidget>

class QFrame;
class QLabel;

namespace ort {

class Program;

// The start-up window: puts the bus access component into its start-up
// state and hands over to the search wizard on a key or a click.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(Program &program);
    void Form_Load();
    // Opens the wizard and unloads the splash.
    void openWizard();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Program &m_program;
    QFrame *m_frame;
    QLabel *m_picture;
    QList<QWidget *> m_clickable;
    QWidget *m_inert = nullptr;
    bool m_opening = false;
};

} // namespace ort

#pragma once
#include <QDialog>

namespace ort {

class WindowHost;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(WindowHost &host);
    void Form_Load();

    // Escape closes the box as OK does (a dialog's own Escape only hides it).
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    WindowHost &m_host;
};

} // namespace ort

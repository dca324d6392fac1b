#pragma once
#include <QDialog>

namespace ort {

class Program;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(Program &program);
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &m_program;
};

} // namespace ort

#pragma once
#include <QWidget>

namespace ort {

class Program;

// The device search wizard (placeholder frame until the search lands).
class InitForm : public QWidget {
    Q_OBJECT
public:
    explicit InitForm(Program &program);
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &m_program;
    bool m_finishing = false;
};

} // namespace ort

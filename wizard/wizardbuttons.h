#pragma once
#include <QList>
#include <QObject>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace ort {

// The wizard's four buttons below the panels, and what a dialog does with
// Return and Escape, for a window that is not a dialog: a dialog's Escape
// would only hide it, where Cancel must unload it.
class WizardButtons : public QObject {
    Q_OBJECT
public:
    explicit WizardButtons(QWidget *form);

    QPushButton *cancel() const { return m_cancel; }
    QPushButton *back() const { return m_back; }
    QPushButton *next() const { return m_next; }
    QPushButton *finish() const { return m_finish; }
    QList<QPushButton *> all() const { return {m_cancel, m_back, m_next, m_finish}; }

    // Return presses `forward` when no other button has the focus.
    void setForward(QPushButton *forward);
    // Return presses the focused button, else the forward one; Escape is
    // Cancel. Returns whether the key was one of those.
    bool handleKey(QKeyEvent *event);

private:
    QPushButton *m_cancel;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_finish;
};

} // namespace ort

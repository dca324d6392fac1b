#pragma once
#include <QHash>
#include <QObject>
#include <QPoint>

class QWidget;

namespace ort {

class Settings;

// Windows centre themselves when they load; one that the user moved comes
// back where they left it at its next load, as long as that place is on a
// screen. A window is known by its object name.
class WindowPlaces : public QObject {
public:
    explicit WindowPlaces(Settings &settings, QObject *parent = nullptr);

    // After the window's load has centred it.
    void place(QWidget *window);

    // A window manager nudges a window it maps for its frame; a move of this
    // many pixels or fewer is not the user's.
    static constexpr int Nudge = 24;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Settings &m_settings;
    QHash<const QObject *, QPoint> m_placedAt;
};

} // namespace ort

#pragma once
#include <QObject>
#include <QString>
#include <cstdint>
#include <utility>

namespace ort {

struct Services;
class BarPanel;
class LinearGauge;

// The two limit gauges of the "Control Center" page, each under its
// temperature's bar: LGauge2 for the local limits and LGauge1 for the remote
// ones. A drag writes the moved limit to the chip at once; the chip's limit
// registers are the reference and every load reads them.
class LimitGauges : public QObject {
    Q_OBJECT
public:
    enum Which { Local = 0, Remote = 1 };

    LimitGauges(Services &services, BarPanel &bars, QObject *parent = nullptr);

    LinearGauge *gauge(Which which) const { return m_gauges[which].widget; }

    // The pointer-moved handler of LGauge2 and LGauge1.
    void LGauge_PointerMoved(Which which, int pointer);

    // Reads the gauge's high limit, then its low limit, and puts the band's
    // ends and the pointers there; returns the bytes read (high, low).
    std::pair<int, int> PlaceLimits(Which which);
    // Captions 3 and 2 from the bytes read.
    void captionLimits(Which which, int highByte, int lowByte);
    // The gauge's limits in C, (high, low), as the chip was last known to
    // hold them.
    std::pair<int, int> shownLimits(Which which) const;

private:
    struct Shown {
        int low = 0, high = 255;
        QString lowCaption, highCaption;
    };
    struct Gauge {
        LinearGauge *widget = nullptr;
        uint8_t highWrite = 0, lowWrite = 0;
        uint8_t highRead = 0, lowRead = 0;
        // What the chip was last known to hold, as the gauge showed it.
        Shown shown;
        // A write of this drag failed: the rest of the drag writes nothing.
        bool abandoned = false;
    };

    void writeLimit(uint8_t address, int position);
    void show(Gauge &g, int low, int high);
    void showKnown(Gauge &g);
    bool eventFilter(QObject *watched, QEvent *event) override;

    Services &m_services;
    Gauge m_gauges[2];
};

} // namespace ort

#pragma once
#include "console/transferring.h"

#include <QAbstractTableModel>
#include <deque>

class QIODevice;

namespace ort {

// The table over a ring of transfers: the rows are the transfers the filter
// lets through, oldest first. It takes in what the ring gained only when
// refreshed, so a view repaints once per refresh however many transfers
// came. Once the ring drops its oldest, every row moves up: the view is told
// that rows left its end and the others changed, never that rows left its
// top, which would cost it a walk over every row.
class TransferModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TransferModel(const TransferRing &ring, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Takes in what the ring gained and forgets what it dropped.
    struct Change {
        int added = 0;
        int dropped = 0;
    };
    Change refresh();
    // The rows anew, after the ring was cleared or to apply a new filter.
    void rebuild();
    void setFilter(TransferFilter filter);
    const TransferFilter &filter() const { return m_filter; }

    const TransferRecord &record(int row) const { return m_ring.at(m_rows[static_cast<size_t>(row)]); }
    // The rows as CSV, header first; false (with the device's reason) when
    // the device refused a write.
    bool writeCsv(QIODevice &out) const;
    // Memory the rows' index holds.
    size_t bytes() const;

private:
    const TransferRing &m_ring;
    TransferFilter m_filter;
    std::deque<uint64_t> m_rows;   // ring sequence numbers
    int m_shown = 0;               // rows the views know of: m_rows' first ones
    uint64_t m_taken = 0;          // the ring's end() when last refreshed
};

} // namespace ort

#include "console/transfermodel.h"
#include "console/transfertext.h"

#include <QColor>
#include <QIODevice>
#include <algorithm>

namespace ort {

TransferModel::TransferModel(const TransferRing &ring, QObject *parent) : QAbstractTableModel(parent), m_ring(ring)
{
    m_taken = m_ring.first();
    refresh();
}

int TransferModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int TransferModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(TransferColumn::Count);
}

QVariant TransferModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    // Dropped by the ring since the last refresh: its place holds a newer one.
    if (m_rows[static_cast<size_t>(index.row())] < m_ring.first())
        return {};
    const TransferRecord &r = record(index.row());
    const auto column = TransferColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return transferCell(m_ring, r, column, Readers::People);
    case Qt::TextAlignmentRole:
        if (column == TransferColumn::Time || column == TransferColumn::Took)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        // The documents' dark red, as the wizard's refusals.
        if (r.outcome != Transfer::Outcome::Acknowledged)
            return QColor(192, 0, 0);
        return {};
    case Qt::ToolTipRole:
        if (column == TransferColumn::Took && r.route == Transfer::Route::PrinterPort)
            return tr("Bus time: how long the lines were driven");
        if (column == TransferColumn::Result)
            return transferCell(m_ring, r, column, Readers::People);
        return {};
    default:
        return {};
    }
}

QVariant TransferModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return transferHeaders().at(section);
}

TransferModel::Change TransferModel::refresh()
{
    size_t dropped = 0;
    for (auto it = m_rows.begin(); it != m_rows.end() && *it < m_ring.first(); ++it)
        ++dropped;
    std::vector<uint64_t> added;
    for (uint64_t s = std::max(m_taken, m_ring.first()); s < m_ring.end(); ++s)
        if (m_filter.matches(m_ring.at(s)))
            added.push_back(s);
    m_taken = m_ring.end();
    if (dropped == 0 && added.empty())
        return {};

    // Each step leaves the rows the view knows as they were, but for what it
    // is told: first the last rows go, then all the rest change, then the
    // new ones come at the end.
    const int moved = static_cast<int>(dropped);
    if (moved > 0) {
        beginRemoveRows({}, m_shown - moved, m_shown - 1);
        m_shown -= moved;
        endRemoveRows();
        m_rows.erase(m_rows.begin(), m_rows.begin() + moved);
        if (m_shown > 0)
            emit dataChanged(index(0, 0), index(m_shown - 1, columnCount() - 1));
    }
    if (!added.empty()) {
        beginInsertRows({}, m_shown, m_shown + static_cast<int>(added.size()) - 1);
        m_rows.insert(m_rows.end(), added.begin(), added.end());
        m_shown = static_cast<int>(m_rows.size());
        endInsertRows();
    }
    return {static_cast<int>(added.size()), static_cast<int>(dropped)};
}

void TransferModel::rebuild()
{
    beginResetModel();
    m_rows.clear();
    for (uint64_t s = m_ring.first(); s < m_ring.end(); ++s)
        if (m_filter.matches(m_ring.at(s)))
            m_rows.push_back(s);
    m_taken = m_ring.end();
    m_shown = static_cast<int>(m_rows.size());
    endResetModel();
}

void TransferModel::setFilter(TransferFilter filter)
{
    m_filter = std::move(filter);
    rebuild();
}

bool TransferModel::writeCsv(QIODevice &out) const
{
    if (out.write(transferCsvHeader()) < 0)
        return false;
    QByteArray chunk;
    for (uint64_t s : m_rows) {
        if (s < m_ring.first())
            continue;
        chunk += transferCsvLine(m_ring, m_ring.at(s));
        if (chunk.size() >= 64 * 1024) {
            if (out.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return out.write(chunk) == chunk.size();
}

size_t TransferModel::bytes() const
{
    return sizeof *this + m_rows.size() * sizeof(uint64_t);
}

} // namespace ort

#include "console/transferdelegate.h"

#include <QPainter>

namespace ort {

namespace {

// Enough for every repeating text and a few pages of times; beyond it the
// cache starts again rather than grow with the ring.
constexpr qsizetype MaxLaidOut = 4096;

} // namespace

const QStaticText &TransferDelegate::laidOut(const QString &text) const
{
    auto it = m_texts.constFind(text);
    if (it != m_texts.constEnd())
        return *it;
    if (m_texts.size() >= MaxLaidOut)
        m_texts.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    return *m_texts.insert(text, laid);
}

void TransferDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    const QStaticText &laid = laidOut(text);
    const int margin = option.fontMetrics.averageCharWidth() / 2 + 1;
    const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
    const QSizeF size = laid.size();
    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const qreal x = align & Qt::AlignRight ? room.right() + 1 - size.width() : room.left();
    const QPointF at(x, room.top() + (room.height() - size.height()) / 2);

    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(selected                ? option.palette.highlightedText().color()
                    : foreground.isValid() ? foreground.value<QColor>()
                                           : option.palette.text().color());
    // A text wider than its cell (a long failure) is cut at the cell's edge.
    const bool tooWide = size.width() > room.width();
    if (tooWide) {
        painter->save();
        painter->setClipRect(room, Qt::IntersectClip);
    }
    painter->drawStaticText(at, laid);
    if (tooWide)
        painter->restore();
}

} // namespace ort

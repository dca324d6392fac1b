#pragma once
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace ort {

// Paints a transfer's cell as plain text and nothing more. The style's item
// painting lays every text out anew, which for a page of rows costs more
// than a whole measurement tick; most cells repeat ("read", "FEh",
// "acknowledged"), so their laid-out texts are kept and only drawn again.
class TransferDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const QStaticText &laidOut(const QString &text) const;
    mutable QHash<QString, QStaticText> m_texts;
};

} // namespace ort

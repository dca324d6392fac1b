#pragma once
#include "widgets/panel3d.h"

#include <QMargins>
#include <QPushButton>
#include <QToolButton>
#include <QString>
#include <string_view>

class QAbstractButton;
class QColor;

namespace ort {

// A raised 3-D panel that frames other controls, its caption (if any)
// along the top edge.
class CaptionedFrame : public Panel3D {
    Q_OBJECT
public:
    explicit CaptionedFrame(const QString &caption = QString(), QWidget *parent = nullptr);
    // For a layout set on the frame: children stay clear of edge and caption.
    QMargins layoutMargins() const;
    // Never smaller than what its layout needs.
    QSize minimumSizeHint() const override;
};

// A two-state toggle button without caption, drawn as a 3-D key that is up
// or pressed in; down is checked.
class ToggleButton : public QToolButton {
    Q_OBJECT
public:
    ToggleButton(const char *name, QWidget *parent, int widthTwips, int heightTwips);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The register map's texts as the widgets take them.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A command button without caption whose face is its colour.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(const char *name, QWidget *parent, int widthTwips, int heightTwips);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A command button's background colour, which the style paints.
void setButtonColour(QAbstractButton *button, const QColor &colour);
QColor buttonColour(const QAbstractButton *button);

} // namespace ort

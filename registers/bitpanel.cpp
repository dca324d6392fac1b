#include "registers/bitpanel.h"
#include "gui/twips.h"
#include "link/text.h"
#include "widgets/instrumentaccess.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QTextFrame>
#include <QToolButton>
#include <algorithm>

namespace ort {

// One large digit that writes its bit when clicked: a button checked while
// its bit is 1, drawn as the digit alone. A click only asks for the write;
// what is shown follows the chip (showBit), never the click itself. Each
// press clicks at once, and so does the second press of a double-click,
// which arrives as a double-click event instead: a double-click is two
// clicks. Return and Enter click as Space does.
class DigitButton : public QAbstractButton {
    Q_OBJECT
public:
    DigitButton(const QString &name, QWidget *parent) : QAbstractButton(parent)
    {
        setObjectName(name);
        setAccessibleName(BitPanel::tr("Bit %1").arg(name.right(1)));
        setCheckable(true);
        setText(QStringLiteral("0"));
        // Drawn in the colours of the text around it, not a button's.
        setForegroundRole(QPalette::WindowText);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
        QFont f = font();
        f.setBold(true);
        f.setPointSize(20);
        setFont(f);
    }

    bool isOne() const { return isChecked(); }
    void showBit(bool one)
    {
        // The base tells assistive tools of the change of state.
        setChecked(one);
        setText(one ? QStringLiteral("1") : QStringLiteral("0"));
    }

protected:
    void nextCheckState() override {}
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            click();
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override { mousePressEvent(e); }
    void keyPressEvent(QKeyEvent *e) override
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat())
            click();
        else
            QAbstractButton::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent *e) override
    {
        QAbstractButton::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent *e) override
    {
        QAbstractButton::focusOutEvent(e);
        update();
    }
    // As the focusable label it replaces drew itself: a plain box while it
    // has the focus, the digit laid out as a text document centred inside.
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QRect inside = rect();
        if (hasFocus()) {
            QStyleOptionFrame frame;
            frame.initFrom(this);
            frame.frameShape = QFrame::Box;
            frame.lineWidth = 1;
            frame.midLineWidth = 0;
            style()->drawControl(QStyle::CE_ShapedFrame, &frame, &p, this);
            inside.adjust(1, 1, -1, -1);
        }
        QTextDocument digit;
        digit.setUndoRedoEnabled(false);
        digit.setDefaultFont(font());
        QTextOption centred = digit.defaultTextOption();
        centred.setAlignment(Qt::AlignCenter);
        digit.setDefaultTextOption(centred);
        digit.setPlainText(text());
        QTextFrameFormat noMargin = digit.rootFrame()->frameFormat();
        noMargin.setMargin(0);
        digit.rootFrame()->setFrameFormat(noMargin);
        digit.setTextWidth(inside.width());
        const qreal top = std::max((inside.height() - digit.documentLayout()->documentSize().height()) / 2, 0.0);
        const QRect at = QRectF(inside).adjusted(0, top, 0, 0).toAlignedRect();

        QAbstractTextDocumentLayout::PaintContext context;
        QStyleOption option;
        option.initFrom(this);
        context.palette = option.palette;
        if (isEnabled())
            context.palette.setColor(QPalette::Text, context.palette.color(foregroundRole()));
        p.translate(at.topLeft());
        p.setClipRect(at.translated(-at.topLeft()));
        context.clip = QRectF();
        digit.documentLayout()->draw(&p, context);
    }
};

namespace {
// A digit reads as a toggle, "Bit 7" ... "Bit 0", checked when it shows 1;
// pressing or toggling it writes the bit as a click does.
class DigitAccess final : public QAccessibleWidget {
public:
    explicit DigitAccess(DigitButton *digit) : QAccessibleWidget(digit, QAccessible::CheckBox) {}
    DigitButton *digit() const { return static_cast<DigitButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? digit()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = digit()->isOne();
        return s;
    }
    QStringList actionNames() const override
    {
        if (!digit()->isEnabled())
            return {};
        return {pressAction(), toggleAction(), setFocusAction()};
    }
    void doAction(const QString &action) override
    {
        if (!digit()->isEnabled())
            return;
        if (action == pressAction() || action == toggleAction())
            digit()->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *digitFactory(const QString &classname, QObject *object)
{
    if (object && classname == QLatin1String(DigitButton::staticMetaObject.className()))
        return new DigitAccess(static_cast<DigitButton *>(object));
    return nullptr;
}
} // namespace

struct BitPanel::Geometry {
    QRect digitPanel;
    std::array<QRect, 8> digits;   // in the digit panel, index = bit
    std::array<QRect, 8> names;    // index = bit
    QRect hint, caption, toggle, status;
    QSize size;

    int centre(int bit) const { return digitPanel.left() + digits[static_cast<size_t>(bit)].center().x(); }
};

BitPanel::BitPanel(QWidget *parent) : CaptionedFrame(tr("Read/Write"), parent)
{
    setObjectName("SSPanel38");
    installAccessFactory(digitFactory);

    m_digitPanel = new Panel3D(this);
    m_digitPanel->setObjectName("SSPanel3");
    m_digitPanel->setBevel(Panel3D::Inset);
    m_digitPanel->setToolTip(tr("Press any of these Digits to write to the %1").arg(ChipName));
    for (int bit = 0; bit < 8; ++bit) {
        auto *digit = new DigitButton(QStringLiteral("bit%1").arg(bit), m_digitPanel);
        connect(digit, &QAbstractButton::clicked, this, [this, bit] { emit digitClicked(bit); });
        m_digits[static_cast<size_t>(bit)] = digit;
    }
    // Left to right on the screen, as a binary number is written.
    for (int bit = 7; bit >= 0; --bit)
        m_digits[static_cast<size_t>(bit)]->raise();

    for (int bit = 0; bit < 8; ++bit) {
        auto *name = new QLabel(toQString(GenericBitNames[static_cast<size_t>(bit)]), this);
        name->setObjectName(QStringLiteral("bitname%1").arg(bit));
        // The left staircase (bits 7 to 4) hangs from its right end.
        name->setAlignment((bit >= 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        // The register's name for the bit labels its digit.
        name->setBuddy(m_digits[static_cast<size_t>(bit)]);
        m_names[static_cast<size_t>(bit)] = name;
    }
    m_hint = new QLabel(tr("(Click Digits)"), this);
    m_hint->setObjectName("bitname8");
    m_continuousCaption = new QLabel(tr("Continuous Reading"), this);
    m_continuousCaption->setObjectName("ContinuousReadingLBL");
    m_continuousCaption->setAlignment(Qt::AlignCenter);

    m_toggle = new ToggleButton("SSRibbon5", this, 480, 330);
    m_toggle->setAccessibleName(tr("Continuous Reading"));
    m_continuousCaption->setBuddy(m_toggle);
    m_status = new Panel3D(tr("Continuous Reading is Off"), this);
    m_status->setObjectName("SSPanel7");
    m_status->setBevel(Panel3D::Inset);
    // Every change of state, however made (mouse, key, an assistive action);
    // the program's own changes are made with the signal blocked.
    connect(m_toggle, &QToolButton::toggled, this, [this](bool down) { emit continuousPressed(down); });

    // Keyboard order follows the screen: digits left to right, then the toggle.
    for (int bit = 7; bit > 0; --bit)
        setTabOrder(m_digits[static_cast<size_t>(bit)], m_digits[static_cast<size_t>(bit - 1)]);
    setTabOrder(m_digits[0], m_toggle);
}

QAbstractButton *BitPanel::digit(int bit) const
{
    return m_digits.at(static_cast<size_t>(bit));
}

void BitPanel::showDigits(int value)
{
    for (int bit = 7; bit >= 0; --bit)
        m_digits[static_cast<size_t>(bit)]->showBit((value >> bit) & 1);
}

void BitPanel::showDigit(int bit, bool one)
{
    m_digits.at(static_cast<size_t>(bit))->showBit(one);
}

void BitPanel::showBitNames(const BitNameSet &names)
{
    for (int bit = 0; bit < 8; ++bit)
        m_names[static_cast<size_t>(bit)]->setText(toQString(names[static_cast<size_t>(bit)]));
}

void BitPanel::showContinuous(bool on)
{
    const QSignalBlocker quiet(m_toggle);
    m_toggle->setChecked(on);
    m_status->setCaption(on ? tr("Continuous Reading is On") : tr("Continuous Reading is Off"));
}

BitPanel::Geometry BitPanel::geometry() const
{
    Geometry g;
    const QMargins m = layoutMargins();
    const int gap = twips(this, 90);

    const QFontMetrics digitMetrics(m_digits[0]->font());
    const int cellW = digitMetrics.horizontalAdvance(QLatin1Char('0')) + twips(this, 180);
    const int cellH = digitMetrics.height() + twips(this, 30);
    const int inner = m_digitPanel->contentsMargins().left();

    // Wide enough for the longest name of any register, so the staircases
    // keep their place whichever register is shown.
    const QFontMetrics nameMetrics(m_names[0]->font());
    int nameW = 0;
    for (int address : {0, 2, 3, 4})
        for (std::string_view n : BitNamesOf(address))
            nameW = std::max(nameW, nameMetrics.horizontalAdvance(toQString(n)));
    const int nameH = nameMetrics.height();
    const int rowH = nameH + twips(this, 45);

    // The left names end a gap short of the middle of digit 7.
    const int panelX = m.left() + std::max(0, nameW + gap - inner - cellW / 2);
    g.digitPanel = QRect(panelX, m.top(), 2 * inner + 8 * cellW, 2 * inner + cellH);
    for (int bit = 0; bit < 8; ++bit)
        g.digits[static_cast<size_t>(bit)] = QRect(inner + (7 - bit) * cellW, inner, cellW, cellH);

    const QFontMetrics hintMetrics(m_hint->font());
    const QSize hintSize(hintMetrics.horizontalAdvance(m_hint->text()) + 2, hintMetrics.height());
    g.hint = QRect(QPoint(g.digitPanel.right() + gap, g.digitPanel.center().y() - hintSize.height() / 2), hintSize);

    const int stairsTop = g.digitPanel.bottom() + 1 + gap;
    for (int step = 0; step < 4; ++step) {
        const int y = stairsTop + step * rowH;
        const int leftBit = 7 - step, rightBit = step;
        g.names[static_cast<size_t>(leftBit)] = QRect(g.centre(7) - gap - nameW, y, nameW, nameH);
        g.names[static_cast<size_t>(rightBit)] = QRect(g.centre(0) + gap, y, nameW, nameH);
    }
    const int stairsBottom = stairsTop + 4 * rowH;
    const int contentRight = std::max(g.hint.right(), g.names[0].right());

    const QFontMetrics captionMetrics(m_continuousCaption->font());
    g.caption = QRect(m.left(), stairsBottom + gap, contentRight - m.left() + 1, captionMetrics.height());
    const QFontMetrics statusMetrics(m_status->font());
    const QSize statusSize(statusMetrics.horizontalAdvance(tr("Continuous Reading is Off")) + 4 * gap,
                           m_toggle->height());
    const int rowW = m_toggle->width() + gap + statusSize.width();
    const int rowX = m.left() + (contentRight - m.left() + 1 - rowW) / 2;
    g.toggle = QRect(QPoint(rowX, g.caption.bottom() + 1 + gap / 2), m_toggle->size());
    g.status = QRect(QPoint(g.toggle.right() + 1 + gap, g.toggle.top()), statusSize);

    g.size = QSize(std::max(contentRight, g.status.right()) + 1 + m.right(), g.toggle.bottom() + 1 + m.bottom());
    return g;
}

QSize BitPanel::sizeHint() const
{
    return geometry().size;
}

void BitPanel::resizeEvent(QResizeEvent *event)
{
    CaptionedFrame::resizeEvent(event);
    Geometry g = geometry();
    // Centred in whatever room the page gives.
    const QPoint shift(std::max(0, (width() - g.size.width()) / 2), std::max(0, (height() - g.size.height()) / 2));
    m_digitPanel->setGeometry(g.digitPanel.translated(shift));
    for (int bit = 0; bit < 8; ++bit) {
        m_digits[static_cast<size_t>(bit)]->setGeometry(g.digits[static_cast<size_t>(bit)]);
        m_names[static_cast<size_t>(bit)]->setGeometry(g.names[static_cast<size_t>(bit)].translated(shift));
    }
    m_hint->setGeometry(g.hint.translated(shift));
    m_continuousCaption->setGeometry(g.caption.translated(shift));
    m_toggle->move(g.toggle.translated(shift).topLeft());
    m_status->setGeometry(g.status.translated(shift));
}

void BitPanel::paintEvent(QPaintEvent *event)
{
    CaptionedFrame::paintEvent(event);
    // Each name hangs from its digit: down from the digit panel, then across.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const int top = m_digitPanel->geometry().bottom() + 1;
    for (int bit = 0; bit < 8; ++bit) {
        const QRect d = m_digits[static_cast<size_t>(bit)]->geometry().translated(m_digitPanel->pos());
        const QRect n = m_names[static_cast<size_t>(bit)]->geometry();
        const int x = d.center().x(), y = n.center().y();
        const int end = bit >= 4 ? n.right() + 3 : n.left() - 3;
        p.drawLine(x, top, x, y);
        p.drawLine(x, y, end, y);
    }
}

} // namespace ort

#include "bitpanel.moc"

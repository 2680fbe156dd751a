#include "panelwidgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace reception {

PressLabel::PressLabel(QWidget* parent) : QLabel(parent) {
    setFrameShape(QFrame::NoFrame);
    setLineWidth(1);
}

PressLabel* PressLabel::closeIcon(QWidget* parent, const QString& objectName) {
    auto* icon = new PressLabel(parent);
    icon->setObjectName(objectName);
    QPixmap cross(18, 18);
    cross.fill(Qt::transparent);
    QPainter painter(&cross);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 40, 40), 2.2));
    painter.drawLine(QPointF(4, 4), QPointF(14, 14));
    painter.drawLine(QPointF(14, 4), QPointF(4, 14));
    painter.end();
    icon->setPixmap(cross);
    icon->setFixedSize(22, 22);
    icon->setAlignment(Qt::AlignCenter);
    icon->setCursor(Qt::PointingHandCursor);
    icon->setToolTip(QStringLiteral("关闭"));
    return icon;
}

void PressLabel::setPressed(bool pressed) {
    m_pressed = pressed;
    setFrameShape(pressed ? QFrame::Box : QFrame::NoFrame);
}

void PressLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        setPressed(true);
    event->accept();
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    setPressed(false);
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked();
}

FloatingPanel::FloatingPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    hide();
}

void FloatingPanel::showInFront() {
    show();
    raise();
}

void FloatingPanel::mousePressEvent(QMouseEvent* event) {
    if (m_draggable && event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_grab = event->globalPosition().toPoint();
    }
    QFrame::mousePressEvent(event);
}

void FloatingPanel::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        const QPoint at = event->globalPosition().toPoint();
        move(pos() + (at - m_grab));
        m_grab = at;
    }
    QFrame::mouseMoveEvent(event);
}

void FloatingPanel::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QFrame::mouseReleaseEvent(event);
}

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* commandButton(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

QWidget* titleStrip(const QString& caption, PressLabel* closeIcon, QWidget* parent) {
    auto* strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, QColor(214, 226, 242));
    strip->setPalette(pal);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 3, 4, 3);
    auto* title = new QLabel(caption, strip);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    row->addWidget(title);
    row->addStretch();
    closeIcon->setParent(strip);
    row->addWidget(closeIcon);
    return strip;
}

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace reception

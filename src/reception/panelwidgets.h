#pragma once
// Small widgets of the reception window's floating panels: a label that reacts to the
// mouse with a pressed look, and a panel that can be dragged by its background; the wait
// cursor of the window's longer steps.

#include <QFrame>
#include <QLabel>
#include <QPoint>

class QPushButton;

namespace reception {

// A label that acts as a button: a single-line border while the mouse button is down over
// it, clicked() when the button is released over it. Used for the panels' close icons
// and the time panel's hour and minute cells.
class PressLabel : public QLabel {
    Q_OBJECT
public:
    explicit PressLabel(QWidget* parent = nullptr);
    bool isPressed() const { return m_pressed; }
    // The close icon of a panel: a small cross.
    static PressLabel* closeIcon(QWidget* parent, const QString& objectName);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setPressed(bool pressed);
    bool m_pressed = false;
};

// A floating panel over the list. With dragging on, pressing the mouse on its background
// and moving it moves the panel by the pointer's displacement.
class FloatingPanel : public QFrame {
    Q_OBJECT
public:
    explicit FloatingPanel(QWidget* parent = nullptr);
    void setDraggable(bool on) { m_draggable = on; }
    // Shows the panel in front of its siblings.
    void showInFront();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_draggable = false;
    bool m_dragging = false;
    QPoint m_grab;
};

// A field's caption, right-aligned beside the field.
QLabel* fieldLabel(const QString& text, QWidget* parent);
// A command button with its design name; never the panel's default button.
QPushButton* commandButton(const QString& objectName, const QString& caption, QWidget* parent);
// A panel's title strip: caption on the left, close icon on the right.
QWidget* titleStrip(const QString& caption, PressLabel* closeIcon, QWidget* parent);

// The wait cursor over the whole application while it lives.
struct WaitCursor {
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace reception

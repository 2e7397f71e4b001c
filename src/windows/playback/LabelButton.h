#pragma once
// A transparent label on the panel that reports clicks, mouse-downs and moves with the classic button
// values (1 left, 2 right, 4 middle) and positions in twips, and optionally takes dropped files.
//
// It can also stand for a button, a toggle button or a slider to the keyboard and to assistive tools:
// then it takes the focus by Tab, shows a mark while it has it, is pressed by Space or Enter (a
// slider is stepped by the arrow keys), and tells its state and value to assistive tools
// (AccessibleLabel). Left as text, it is read as the text it shows.
#include <QLabel>
#include <QStringList>

class LabelButton : public QLabel {
    Q_OBJECT
public:
    LabelButton(const QString &caption, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent);

    // Place and size in twips on the parent; kept as given so callers read back what they set.
    void setTwipGeometry(double left, double top, double width, double height);
    double twipLeft() const { return left_; }
    double twipTop() const { return top_; }
    double twipWidth() const { return width_; }
    double twipHeight() const { return height_; }

    // Drops are taken only as a list of local files; the receiver decides what count it accepts.
    void acceptFileDrops(bool on) { setAcceptDrops(on); }

    enum class Role { Text, Button, Toggle, Slider };
    // What the label stands for; any role but Text puts it in the Tab chain.
    void setRole(Role role);
    Role role() const { return role_; }

    // A toggle button's state.
    void setChecked(bool on);
    bool isChecked() const { return checked_; }

    // A slider's value, in the unit its owner reads it in.
    struct Range {
        double minimum = 0;
        double maximum = 0;
        double step = 1;
    };
    void setRange(const Range &range);
    const Range &range() const { return range_; }
    void setValue(double value);
    double value() const { return value_; }

    // Where the focus mark is drawn, in the label's own pixels; all of it unless set.
    void setMarkRect(const QRect &rect) { markRect_ = rect; }

    // What the keyboard and assistive tools do: press the button, step the slider one notch (+1 up or
    // to the right, -1 down or to the left), ask the slider for a value. The owner acts on the signals.
    void press() { emit Click(); }
    void step(int notches) { emit stepped(notches); }
    void askValue(double value) { emit valueAsked(value); }

signals:
    void Click();
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void Dropped(const QStringList &paths);
    void stepped(int notches);
    void valueAsked(double value);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    int tppX_, tppY_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool pressed_ = false;
    Role role_ = Role::Text;
    bool checked_ = false;
    Range range_;
    double value_ = 0;
    QRect markRect_;
};

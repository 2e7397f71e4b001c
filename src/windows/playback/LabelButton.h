#pragma once
// A transparent label on the panel that reports clicks, mouse-downs and moves with the classic button
// values (1 left, 2 right, 4 middle) and positions in twips, and optionally takes dropped files.
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

signals:
    void Click();
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void Dropped(const QStringList &paths);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    int tppX_, tppY_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool pressed_ = false;
};

#pragma once
// The borderless video window. It carries MediaPlayer1's picture; its place and size are kept in twips.
#include <QWidget>

class Panelfrm;
class MediaEngine;

class player : public QWidget {
    Q_OBJECT
public:
    player(Panelfrm &panel, MediaEngine &engine, QWidget *parent = nullptr);

    double twipLeft() const { return left_; }
    double twipTop() const { return top_; }
    double twipWidth() const { return width_; }
    double twipHeight() const { return height_; }
    void setTwipLeft(double v);
    void setTwipTop(double v);
    void setTwipWidth(double v);
    void setTwipHeight(double v);

    // Handlers of the window and of the engine's picture.
    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_KeyPress();
    void MediaPlayer1_MouseDown(int button, int shift, double x, double y);
    void MediaPlayer1_Click(int button, int shift, double x, double y);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void moveEvent(QMoveEvent *e) override;

private:
    void applyGeometry();
    void showPanel();

    Panelfrm &panel_;
    MediaEngine &engine_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool placing_ = false;
};

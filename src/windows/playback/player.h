#pragma once
// The borderless video window. It carries the movie's picture and lays itself out as the session asks:
// at the picture's own size, covering the screen, panned and scanned, or sized by the preferences. Its
// place and size are kept in twips. A click brings the panel forward; a right click asks for the menu.
#include <QWidget>

class Desktop;
class PlayerSession;
class Preferences;

class player : public QWidget {
    Q_OBJECT
public:
    player(PlayerSession &session, const Preferences &prefs, Desktop &desktop, int twipsPerPixelX,
           int twipsPerPixelY, QWidget *parent = nullptr);

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

signals:
    // The panel is wanted in front: a click on the picture, a key.
    void panelWanted();
    // A right click on the picture at `at` (global pixels): the pop-up menu.
    void menuWanted(const QPoint &at);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void moveEvent(QMoveEvent *e) override;

private:
    // The layouts the session asks for (player_zoom.cpp).
    void zoom(int mode);
    void panAndScan();
    void sizeTo(int widthPx);
    void coverScreen();
    void applyGeometry();

    PlayerSession &session_;
    const Preferences &prefs_;
    Desktop &desktop_;
    int tppX_, tppY_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool placing_ = false;
};

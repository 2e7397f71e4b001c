#pragma once
// The selection window: "MAIN MOVIE", the disc's specials and its chapters, as the session lists them.
// "OK" asks the session for the entry picked: the main movie and a special run their Quick ini file
// again, a chapter moves the movie to its start.
#include <QWidget>

class QListWidget;
class QPushButton;
class PlayerSession;

class SelectFrm : public QWidget {
    Q_OBJECT
public:
    SelectFrm(PlayerSession &session, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent);

    QListWidget *ListSelect;
    QPushButton *Command1;

    void Command1_Click();

private:
    void showLists();

    PlayerSession &session_;
};

#pragma once
// The selection window: "MAIN MOVIE", the disc's specials and its chapters, as the session lists them.
// "OK" asks the session for the entry picked: the main movie and a special run their Quick ini file
// again, a chapter moves the movie to its start.
#include <QWidget>

class QListView;
class QPushButton;
class QStringListModel;
class PlayerSession;

class SelectFrm : public QWidget {
    Q_OBJECT
public:
    SelectFrm(PlayerSession &session, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent);

    QListView *ListSelect;
    QPushButton *Command1;

    void Command1_Click();

private:
    void showLists();

    PlayerSession &session_;
    QStringListModel *entries_;
};

#pragma once
// The selection window: "MAIN MOVIE", the disc's specials and its chapters. The main movie and a
// special run their Quick ini file again; a chapter moves the movie to its frame.
#include <QWidget>

class QComboBox;
class QListWidget;
class QPushButton;
class Panelfrm;

class SelectFrm : public QWidget {
    Q_OBJECT
public:
    explicit SelectFrm(Panelfrm &panel);

    QListWidget *ListSelect;
    // Not for the user: item i is the Quick ini file of ListSelect's item i. Chapters, listed last,
    // have none and carry their frame as item data instead.
    QComboBox *ComboINI;
    QPushButton *Command1;

    void Command1_Click();

private:
    Panelfrm &panel_;
};

#pragma once
// The subtitle font dialog: face, size, effects and colour tried on a sample, then made the subtitle
// font by "OK". It stays open after "OK"; its close box ends it, and the next opening makes a fresh one.
#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class Dialogs;
class LabelButton;
class Preferences;

class fontselfrm : public QWidget {
    Q_OBJECT
public:
    fontselfrm(Preferences &prefs, Dialogs &dialogs, int twipsPerPixelX, int twipsPerPixelY,
               QWidget *parent = nullptr);

    // Fills the controls and the sample with the subtitle font of now, and shows the dialog in front.
    void showFont();

    void Form_Load();
    void FontList_Click();
    void FontSizeList_Click();
    void Text1_Change();
    void Text2_Change();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    // Label2_Click to Label17_Click: `index` 0 is Label2.
    void Swatch_Click(int index);
    void VScroll_Change();
    void Labeltest_Click();
    void Label18_MouseMove();
    void Label1_DblClick();
    void Command1_Click();

    // The sample's text colour.
    QColor sampleColour() const;
    void setSampleColour(const QColor &colour);

    QLineEdit *Text1, *Text2;
    QListWidget *FontList, *FontSizeList;
    QGroupBox *Frame1, *Frame2;
    QCheckBox *Check1, *Check2, *Check3, *Check4;
    QPushButton *Command1;
    QLabel *Label1;  // the sample
    std::array<LabelButton *, 16> swatch{};  // Label2 to Label17
    LabelButton *Label18;
    QSlider *VScroll1, *VScroll2, *VScroll3;  // red, green, blue
    QLabel *Label19;
    LabelButton *Labeltest;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QRect twips(int left, int top, int width, int height) const;
    // Names, the Tab order, Escape and Enter for the keyboard and assistive tools.
    void labelControls();
    void setSampleFont(void (QFont::*set)(bool), bool on);
    void alignSample();

    Preferences &prefs_;
    Dialogs &dialogs_;
    int tppX_, tppY_;
};

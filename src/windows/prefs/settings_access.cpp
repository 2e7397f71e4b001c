// The Preferences window for the keyboard and for assistive tools: each box and bar is named by the
// caption beside it, the groups without a title by what they hold, and the keys move through the
// groups as they stand on the window; Escape hides it and Enter accepts, as its close box and
// "Accept" do.
#include "prefs/DialogKeys.h"
#include "prefs/Settings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

void Settings::labelControls()
{
    const std::pair<QLabel *, QWidget *> buddies[] = {
        {Label2, subsizeV},  {Label1, subsizeH}, {Label4, OverlayFrame}, {Label9, delaytxt},
        {Label3, HScroll1},  {Label6, SubCombo}, {Label7, LangCombo},    {Label8, Panscan},
    };
    for (const auto &[label, control] : buddies)
        label->setBuddy(control);
    for (size_t i = 0; i < Label.size(); ++i)
        Label[i]->setBuddy(Text1[i]);
    const std::pair<QGroupBox *, const char *> groups[] = {
        {subtitlesfrm, "Subtitles"}, {Skins, "Skins"}, {Keyboardfrm, "Keyboard"}, {Playerfrm, "Player"}};
    for (const auto &[group, name] : groups)
        group->setAccessibleName(QString::fromLatin1(name));

    // The subtitle group's right-hand column from the top: the height bar stands above "HCenter ".
    setTabOrder(fontsel, subsizeV);
    setTabOrder(subsizeV, centersubsH);
    setTabOrder(centersubsH, subsizeH);

    DialogKeys::install(this, Command1);
}

#include "disc/SelectFrm.h"

#include "engine/MediaEngine.h"
#include "numbers/Twips.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
#include "prefs/CaptionFit.h"
#include "startup/AppState.h"
#include "subtitles/subtitles.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace {

// Client area and controls in twips.
constexpr int kWidth = 3855;
constexpr int kHeight = 3300;

}  // namespace

SelectFrm::SelectFrm(Panelfrm &panel)
    : QWidget(&panel, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      panel_(panel)
{
    setObjectName(QStringLiteral("SelectFrm"));
    setWindowTitle(QStringLiteral("SPECIALS"));
    const int tx = panel.app.twipsPerPixelX, ty = panel.app.twipsPerPixelY;
    const auto place = [&](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(Twips::toPixels(left, top, width, height, tx, ty));
    };
    setFixedSize(Twips::toPixels(0, 0, kWidth, kHeight, tx, ty).size());

    ListSelect = new QListWidget(this);
    ListSelect->setObjectName(QStringLiteral("ListSelect"));
    ListSelect->setToolTip(QStringLiteral("Select Special"));
    place(ListSelect, 120, 120, 3615, 2460);
    ComboINI = new QComboBox(this);
    ComboINI->setObjectName(QStringLiteral("ComboINI"));
    ComboINI->hide();
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Accept"));
    place(Command1, 1440, 2700, 975, 435);
    connect(Command1, &QPushButton::clicked, this, &SelectFrm::Command1_Click);
    CaptionFit::fitWindow(this, CaptionFit::narrowFont(8));
}

void SelectFrm::Command1_Click()
{
    const int index = ListSelect->currentRow();
    const QListWidgetItem *item = ListSelect->currentItem();
    if (item && item->isSelected()) {
        if (index < ComboINI->count()) {
            const QString ini = ComboINI->itemText(index);
            panel_.runCD(ini, panel_.discBase(ini, true));
            if (panel_.subtitlesForm)
                panel_.subtitlesForm->setCaption(QString());
        } else {
            // A chapter: the movie moves to its frame and keeps playing or standing as it was.
            panel_.session.seek(item->data(Qt::UserRole).toInt());
        }
    }
    hide();
}

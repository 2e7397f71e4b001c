#include "disc/SelectFrm.h"

#include "engine/MediaEngine.h"
#include "numbers/basic_numbers.h"
#include "playback/Panelfrm.h"
#include "playback/PlayerSession.h"
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
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    const double tx = panel.app.twipsPerPixelX, ty = panel.app.twipsPerPixelY;
    const auto place = [&](QWidget *w, int left, int top, int width, int height) {
        const int x = int(basic_numbers::roundEven(left / tx));
        const int y = int(basic_numbers::roundEven(top / ty));
        w->setGeometry(x, y, int(basic_numbers::roundEven((left + width) / tx)) - x,
                       int(basic_numbers::roundEven((top + height) / ty)) - y);
    };
    setFixedSize(int(basic_numbers::roundEven(kWidth / tx)), int(basic_numbers::roundEven(kHeight / ty)));

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

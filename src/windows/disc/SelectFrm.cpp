#include "disc/SelectFrm.h"

#include "numbers/Twips.h"
#include "playback/PlayerSession.h"
#include "prefs/CaptionFit.h"
#include "prefs/DialogKeys.h"

#include <QListWidget>
#include <QPushButton>

namespace {

// Client area and controls in twips.
constexpr int kWidth = 3855;
constexpr int kHeight = 3300;

}  // namespace

SelectFrm::SelectFrm(PlayerSession &session, int twipsPerPixelX, int twipsPerPixelY, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      session_(session)
{
    setObjectName(QStringLiteral("SelectFrm"));
    setWindowTitle(QStringLiteral("SPECIALS"));
    const auto place = [&](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(Twips::toPixels(left, top, width, height, twipsPerPixelX, twipsPerPixelY));
    };
    setFixedSize(Twips::toPixels(0, 0, kWidth, kHeight, twipsPerPixelX, twipsPerPixelY).size());

    ListSelect = new QListWidget(this);
    ListSelect->setObjectName(QStringLiteral("ListSelect"));
    ListSelect->setToolTip(QStringLiteral("Select Special"));
    ListSelect->setAccessibleName(QStringLiteral("Main movie, specials and chapters"));
    place(ListSelect, 120, 120, 3615, 2460);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Accept"));
    place(Command1, 1440, 2700, 975, 435);
    connect(Command1, &QPushButton::clicked, this, &SelectFrm::Command1_Click);
    CaptionFit::fitWindow(this, CaptionFit::narrowFont(8));
    // Enter on the list takes the entry picked, as "OK" does; Escape hides the window as its close box.
    DialogKeys::install(this, Command1);

    connect(&session_.specials(), &DiscList::changed, this, &SelectFrm::showLists);
    connect(&session_.chapters(), &DiscList::changed, this, &SelectFrm::showLists);
    showLists();
}

void SelectFrm::showLists()
{
    ListSelect->clear();
    for (const Special &e : session_.specials().list())
        ListSelect->addItem(e.name);
    for (const Chapter &e : session_.chapters().list())
        ListSelect->addItem(e.name);
}

void SelectFrm::Command1_Click()
{
    const QListWidgetItem *item = ListSelect->currentItem();
    if (item && item->isSelected())
        session_.chooseScene(ListSelect->currentRow());
    hide();
}

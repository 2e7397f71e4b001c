#include "prefs/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace CaptionFit {

namespace {

QString caption(QWidget *control)
{
    if (auto *l = qobject_cast<QLabel *>(control))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        return b->text();
    return QString();
}

}  // namespace

int captionRoom(QWidget *control)
{
    if (auto *l = qobject_cast<QLabel *>(control))
        return l->wordWrap() || l->text().isEmpty() ? -1 : l->contentsRect().width();
    auto *b = qobject_cast<QAbstractButton *>(control);
    if (!b || b->text().isEmpty())
        return -1;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QStyle::SubElement room = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(b))
        room = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton *>(b))
        room = QStyle::SE_RadioButtonContents;
    return b->style()->subElementRect(room, &opt, b).width();
}

void fitCaptions(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const int room = captionRoom(w);
        if (room < 0)
            continue;
        const QString text = caption(w);
        QFont f = w->font();
        while (f.pointSizeF() > 5 && QFontMetricsF(f).horizontalAdvance(text) > room)
            f.setPointSizeF(f.pointSizeF() - 0.25);
        if (f != w->font())
            w->setFont(f);
    }
}

}  // namespace CaptionFit

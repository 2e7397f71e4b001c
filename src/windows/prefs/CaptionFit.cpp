#include "prefs/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

namespace CaptionFit {

namespace {

constexpr double kSmallest = 5;

// The room a button leaves for its caption.
int captionRoom(const QAbstractButton *b)
{
    const QStyle *style = b->style();
    if (qobject_cast<const QCheckBox *>(b))
        return b->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) -
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
    if (qobject_cast<const QRadioButton *>(b))
        return b->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
    return b->width() - 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2 +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b));
}

}  // namespace

bool fits(const QWidget *w, const QFont &f)
{
    const QFontMetrics m(f);
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return m.horizontalAdvance(b->text()) <= captionRoom(b);
    if (const auto *l = qobject_cast<const QLabel *>(w)) {
        if (!l->wordWrap())
            return m.horizontalAdvance(l->text()) <= l->width();
        const QRect need = m.boundingRect(l->rect(), Qt::TextWordWrap, l->text());
        return need.width() <= l->width() && need.height() <= l->height();
    }
    if (const auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title().isEmpty() || m.horizontalAdvance(g->title()) <= g->width() - 2 * m.averageCharWidth();
    return true;
}

void fitCaptions(QWidget *window)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        const int need = b->sizeHint().height();
        if ((qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b)) && b->height() < need)
            b->setGeometry(b->x(), b->y() - (need - b->height()) / 2, b->width(), need);
    }
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QFont f = w->font();
        if (f.pointSizeF() <= 0)
            continue;
        bool shrunk = false;
        while (f.pointSizeF() > kSmallest && !fits(w, f)) {
            f.setPointSizeF(f.pointSizeF() - 0.25);
            shrunk = true;
        }
        if (shrunk)
            w->setFont(f);
    }
}

}  // namespace CaptionFit

#include "prefs/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace CaptionFit {

namespace {

QFont face(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QStyleOptionButton buttonOption(const QAbstractButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    if (const auto *p = qobject_cast<const QPushButton *>(b)) {
        if (p->isDefault())
            opt.features |= QStyleOptionButton::DefaultButton;
        if (p->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        if (p->isFlat())
            opt.features |= QStyleOptionButton::Flat;
    }
    return opt;
}

QRect groupTitleRect(const QGroupBox *g, const QFont &font)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.fontMetrics = QFontMetrics(font);
    opt.text = g->title();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
}

// Whether one line of `text`, centred on the line's height as the styles draw it, keeps its ink and
// its advance inside `room`.
bool lineFits(const QFontMetricsF &m, const QString &text, const QRectF &room)
{
    if (text.isEmpty())
        return true;
    if (m.horizontalAdvance(text) > room.width())
        return false;
    const QRectF ink = m.tightBoundingRect(text);
    const double baseline = (room.height() - m.height()) / 2 + m.ascent();
    return baseline + ink.top() >= 0 && baseline + ink.bottom() <= room.height();
}

void elide(QWidget *control, const QFont &font)
{
    const QRect room = captionRect(control);
    const QFontMetrics m(font);
    const auto cut = [&](const QString &full) {
        const QString tip = control->toolTip();
        control->setToolTip(tip.isEmpty() || tip == full ? full : full + QLatin1Char('\n') + tip);
        return m.elidedText(full, Qt::ElideRight, room.width());
    };
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        b->setText(cut(b->text()));
    else if (auto *l = qobject_cast<QLabel *>(control); l && !l->wordWrap())
        l->setText(cut(l->text()));
    else if (auto *g = qobject_cast<QGroupBox *>(control))
        g->setTitle(cut(g->title()));
}

void growLowIndicators(QWidget *window)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        const int need = b->sizeHint().height();
        if ((qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b)) && b->height() < need)
            b->setGeometry(b->x(), b->y() - (need - b->height()) / 2, b->width(), need);
    }
}

}  // namespace

QFont narrowFont(double points, bool bold)
{
    return face(QStringLiteral("Liberation Sans Narrow"), points, bold);
}

QFont panelFont(double points, bool bold)
{
    return face(QStringLiteral("Liberation Sans"), points, bold);
}

QRect captionRect(const QWidget *control)
{
    const QStyle *style = control->style();
    if (const auto *c = qobject_cast<const QCheckBox *>(control)) {
        const QStyleOptionButton opt = buttonOption(c);
        return style->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
    }
    if (const auto *r = qobject_cast<const QRadioButton *>(control)) {
        const QStyleOptionButton opt = buttonOption(r);
        return style->subElementRect(QStyle::SE_RadioButtonContents, &opt, r);
    }
    if (const auto *p = qobject_cast<const QPushButton *>(control)) {
        const QStyleOptionButton opt = buttonOption(p);
        return style->subElementRect(QStyle::SE_PushButtonContents, &opt, p);
    }
    if (const auto *c = qobject_cast<const QComboBox *>(control)) {
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = c->isEditable();
        return style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    }
    if (qobject_cast<const QLabel *>(control))
        return control->contentsRect();
    if (qobject_cast<const QGroupBox *>(control))
        return control->rect();
    return {};
}

QStringList captionsOf(const QWidget *control)
{
    if (const auto *b = qobject_cast<const QAbstractButton *>(control))
        return {b->text()};
    if (const auto *l = qobject_cast<const QLabel *>(control))
        return {l->text()};
    if (const auto *g = qobject_cast<const QGroupBox *>(control))
        return {g->title()};
    if (const auto *c = qobject_cast<const QComboBox *>(control)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        if (c->isEditable())
            items << c->currentText();
        return items;
    }
    return {};
}

bool fits(const QWidget *control, const QFont &font, const QStringList &texts)
{
    const QFontMetricsF m(font);
    if (const auto *g = qobject_cast<const QGroupBox *>(control)) {
        // The title sits in the frame's top edge, with the same margin at both ends.
        const QRect title = groupTitleRect(g, font);
        return g->title().isEmpty() || (title.right() < g->width() - title.left() && title.height() <= g->height());
    }
    const QRectF room = captionRect(control);
    for (const QString &text : texts) {
        if (const auto *l = qobject_cast<const QLabel *>(control); l && l->wordWrap()) {
            const QRectF need = m.boundingRect(room, Qt::TextWordWrap | l->alignment(), text);
            if (need.width() > room.width() || need.height() > room.height())
                return false;
        } else if (!lineFits(m, text, room)) {
            return false;
        }
    }
    return true;
}

double fitGroup(const QList<Caption> &group, QFont design)
{
    const double floor = std::min(kFloor, design.pointSizeF());
    const auto allFit = [&](const QFont &f) {
        for (const Caption &c : group) {
            if (!fits(c.control, f, c.texts))
                return false;
        }
        return true;
    };
    while (design.pointSizeF() - 0.25 >= floor && !allFit(design))
        design.setPointSizeF(design.pointSizeF() - 0.25);
    for (const Caption &c : group) {
        c.control->setFont(design);
        if (!fits(c.control, design, c.texts))
            elide(c.control, design);
    }
    return design.pointSizeF();
}

double fitWindow(QWidget *window, const QFont &design, const QList<QWidget *> &leaveOut, const QList<Caption> &more)
{
    window->setFont(design);
    growLowIndicators(window);
    QList<Caption> group = more;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || leaveOut.contains(w) || captionRect(w).isNull())
            continue;
        const bool extra = std::any_of(more.begin(), more.end(), [w](const Caption &c) { return c.control == w; });
        if (!extra)
            group.append({w, captionsOf(w)});
    }
    const double size = fitGroup(group, design);
    QFont f = design;
    f.setPointSizeF(size);
    window->setFont(f);
    return size;
}

}  // namespace CaptionFit

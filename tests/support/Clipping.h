#pragma once
// Clipped captions found the way the style draws them: the text's advance and line height against the
// content rectangle the style gives the control (a button's contents, a check box's text area, a
// combo box's edit field, a label's contents), in the font the control ends up with.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

namespace Clipping {

inline QRect contentRect(QWidget *w)
{
    QStyle *s = w->style();
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        if (auto *p = qobject_cast<QPushButton *>(w)) {
            if (p->isDefault())
                opt.features |= QStyleOptionButton::DefaultButton;
            return s->subElementRect(QStyle::SE_PushButtonContents, &opt, w);
        }
        return s->subElementRect(qobject_cast<QCheckBox *>(w) ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_RadioButtonContents,
                                 &opt, w);
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = c->isEditable();
        return s->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, w);
    }
    return w->contentsRect();
}

// "window/control "caption"" for every caption of `window` that its control cuts. Where
// `wholeLines` is false (the panel's labels are lower than a line), only the ink must fit in height.
inline QStringList clipped(QWidget *window, const QSet<const QWidget *> &leaveOut = {}, bool wholeLines = true)
{
    QStringList out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || leaveOut.contains(w))
            continue;
        const QFontMetrics m(w->font());
        QStringList texts;
        bool fits = true;
        const QRect room = contentRect(w);
        const auto line = [&](const QString &t) {
            const int high = wholeLines ? m.height() : m.tightBoundingRect(t).height();
            return t.isEmpty() || (m.horizontalAdvance(t) <= room.width() && high <= room.height());
        };
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            texts << b->text();
            fits = line(b->text());
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < c->count(); ++i) {
                texts << c->itemText(i);
                fits = fits && line(c->itemText(i));
            }
        } else if (auto *l = qobject_cast<QLabel *>(w)) {
            texts << l->text();
            if (l->wordWrap()) {
                const QRect need = m.boundingRect(room, Qt::TextWordWrap, l->text());
                fits = need.width() <= room.width() && need.height() <= room.height();
            } else {
                fits = line(l->text());
            }
        } else if (auto *g = qobject_cast<QGroupBox *>(w); g && !g->title().isEmpty()) {
            texts << g->title();
            QStyleOptionGroupBox opt;
            opt.initFrom(g);
            opt.text = g->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
            fits = g->rect().contains(title) && m.horizontalAdvance(g->title()) <= title.width();
        }
        if (!fits)
            out << window->objectName() + QLatin1Char('/') + w->objectName() + QStringLiteral(" \"")
                       + texts.join(QLatin1Char('|')) + QStringLiteral("\" in ") + QString::number(room.width())
                       + QLatin1Char('x') + QString::number(room.height());
    }
    return out;
}

// The caption sizes in points of the captioned controls of `window`, each once.
inline QList<double> captionSizes(QWidget *window, const QSet<const QWidget *> &leaveOut = {})
{
    QList<double> sizes;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString caption;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            caption = b->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            caption = l->text();
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            caption = g->title();
        else if (auto *c = qobject_cast<QComboBox *>(w))
            caption = c->itemText(0);
        const bool captioned = !caption.isEmpty();
        if (captioned && w->window() == window && !leaveOut.contains(w) && !sizes.contains(w->font().pointSizeF()))
            sizes << w->font().pointSizeF();
    }
    return sizes;
}

}  // namespace Clipping

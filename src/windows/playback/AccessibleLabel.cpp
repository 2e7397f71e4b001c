#include "playback/AccessibleLabel.h"

#include "playback/LabelButton.h"

#include <algorithm>
#include <cmath>

namespace {

QAccessibleInterface *labelFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("LabelButton"))
        return new AccessibleLabel(static_cast<LabelButton *>(object));
    // The player's own windows are plain widgets, which Qt would present as a mere area: a window,
    // or a dialog for the small ones that stand beside the panel.
    auto *widget = static_cast<QWidget *>(object);
    if (widget->isWindow() && object->metaObject()->superClass() == &QWidget::staticMetaObject
        && className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(widget, widget->windowType() == Qt::Tool ? QAccessible::Dialog : QAccessible::Window);
    return nullptr;
}

}  // namespace

AccessibleLabel::AccessibleLabel(LabelButton *label) : QAccessibleWidget(label) {}

void AccessibleLabel::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(labelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

LabelButton *AccessibleLabel::label() const
{
    return static_cast<LabelButton *>(widget());
}

// Read each time: the owner gives a label its role after Qt may already have asked for it.
QAccessible::Role AccessibleLabel::role() const
{
    switch (label()->role()) {
    case LabelButton::Role::Button:
    case LabelButton::Role::Toggle:
        return QAccessible::Button;
    case LabelButton::Role::Slider:
        return QAccessible::Slider;
    case LabelButton::Role::Text:
        break;
    }
    return QAccessible::StaticText;
}

QAccessible::State AccessibleLabel::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (label()->role() == LabelButton::Role::Toggle) {
        s.checkable = true;
        s.checked = label()->isChecked();
    }
    if (label()->role() == LabelButton::Role::Text)
        s.readOnly = true;
    return s;
}

QString AccessibleLabel::text(QAccessible::Text t) const
{
    // A control is named by what it does; a text by what it shows.
    if (t == QAccessible::Name && label()->accessibleName().isEmpty() && label()->role() == LabelButton::Role::Text)
        return label()->text();
    return QAccessibleWidget::text(t);
}

void *AccessibleLabel::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface && label()->role() == LabelButton::Role::Slider)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QStringList AccessibleLabel::actionNames() const
{
    QStringList names;
    switch (label()->role()) {
    case LabelButton::Role::Toggle:
        names << toggleAction();
        [[fallthrough]];
    case LabelButton::Role::Button:
        names << pressAction();
        break;
    case LabelButton::Role::Slider:
        names << increaseAction() << decreaseAction();
        break;
    case LabelButton::Role::Text:
        break;
    }
    return names + QAccessibleWidget::actionNames();
}

void AccessibleLabel::doAction(const QString &actionName)
{
    const LabelButton::Role r = label()->role();
    const bool button = r == LabelButton::Role::Button || r == LabelButton::Role::Toggle;
    if (button && (actionName == pressAction() || (r == LabelButton::Role::Toggle && actionName == toggleAction())))
        label()->press();
    else if (r == LabelButton::Role::Slider && actionName == increaseAction())
        label()->step(1);
    else if (r == LabelButton::Role::Slider && actionName == decreaseAction())
        label()->step(-1);
    else
        QAccessibleWidget::doAction(actionName);
}

QVariant AccessibleLabel::currentValue() const
{
    return label()->value();
}

void AccessibleLabel::setCurrentValue(const QVariant &value)
{
    // Whatever a tool sends, the owner is asked for a number within the slider's reach.
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (ok && std::isfinite(v))
        label()->askValue(std::clamp(v, label()->range().minimum, label()->range().maximum));
}

QVariant AccessibleLabel::maximumValue() const
{
    return label()->range().maximum;
}

QVariant AccessibleLabel::minimumValue() const
{
    return label()->range().minimum;
}

QVariant AccessibleLabel::minimumStepSize() const
{
    return label()->range().step;
}

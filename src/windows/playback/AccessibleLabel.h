#pragma once
// What assistive tools see of a LabelButton: a push button or a toggle button that can be pressed, a
// slider whose value can be read and set, or the text the label shows. Installed once as a factory,
// so Qt gives every LabelButton this interface instead of a plain label's; the same factory presents
// the player's own windows as windows and dialogs.
#include <QAccessibleWidget>

class LabelButton;

class AccessibleLabel : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleLabel(LabelButton *label);

    // Installs the factory (the first LabelButton does); later calls do nothing.
    static void install();

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    LabelButton *label() const;
};

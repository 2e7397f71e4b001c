#pragma once
// The one owner of the preferences. The settings file fills it at start and writes it at the end; the
// Preferences window edits it; every window, the session and the display loop read it here and follow
// its changes.
#include "prefs/Prefs.h"

#include <QObject>

class Preferences : public QObject {
    Q_OBJECT
public:
    explicit Preferences(QObject *parent = nullptr) : QObject(parent) {}

    const Prefs &values() const { return values_; }

    // One preference; told only when it differs.
    template <typename T, typename V>
    void set(T Prefs::*field, V &&value)
    {
        T next(std::forward<V>(value));
        if (values_.*field == next)
            return;
        const Prefs was = values_;
        values_.*field = std::move(next);
        emit changed(was);
    }
    void setKey(int command, const QString &key);
    // Places in twips, each as one change: the overlay's remembered place, where it goes now; where the
    // overlay was moved to, the remembered place staying; the panel.
    void placeOverlay(double left, double top);
    void overlayMoved(double left, double top);
    void placePanel(double left, double top);
    // All at once, as the settings file gives them.
    void replace(const Prefs &all);

signals:
    // `was` is what they were before: a follower acts on the ones that differ.
    void changed(const Prefs &was);

private:
    Prefs values_;
};

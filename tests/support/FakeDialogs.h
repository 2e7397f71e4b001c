#pragma once
// Records every message box and answers input boxes from a queue.
#include "dialogs/Dialogs.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <vector>

class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        Icon icon;
        QString title;
    };
    std::vector<Shown> shown;
    QStringList answers;
    // Runs once while the next box is on screen, as whatever the user does before reading it.
    std::function<void()> whileShown;

    void msgBox(const QString &text, Icon icon, const QString &title) override
    {
        shown.push_back({text, icon, title});
        if (whileShown)
            std::exchange(whileShown, nullptr)();
    }
    QString inputBox(const QString &, const QString &, const QString &defaultText) override
    {
        return answers.isEmpty() ? defaultText : answers.takeFirst();
    }
    // The boxes shown so far, with those due once the event at hand has been handled.
    const std::vector<Shown> &due()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        return shown;
    }
    QStringList texts()
    {
        QStringList out;
        for (const auto &s : due())
            out << s.text;
        return out;
    }
};

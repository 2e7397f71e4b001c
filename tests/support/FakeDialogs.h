#pragma once
// Records every message box and answers input boxes from a queue.
#include "dialogs/Dialogs.h"

#include <QStringList>
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

    void msgBox(const QString &text, Icon icon, const QString &title) override { shown.push_back({text, icon, title}); }
    QString inputBox(const QString &, const QString &, const QString &defaultText) override
    {
        return answers.isEmpty() ? defaultText : answers.takeFirst();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto &s : shown)
            out << s.text;
        return out;
    }
};

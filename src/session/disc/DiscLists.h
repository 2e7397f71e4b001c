#pragma once
// What the selection window lists: the disc's main movie and specials, each run from its Quick ini file,
// and its chapters, each a place in the movie. Each list tells when it has been replaced.
#include <QList>
#include <QObject>
#include <QString>

class DiscList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void changed();
};

template <typename Entry>
class Listing : public DiscList {
public:
    using DiscList::DiscList;

    const QList<Entry> &list() const { return list_; }
    void set(const QList<Entry> &list)
    {
        list_ = list;
        emit changed();
    }

private:
    QList<Entry> list_;
};

struct Special {
    QString name;
    QString iniFile;
    bool operator==(const Special &) const = default;
};
struct Chapter {
    QString name;
    double frame = 0;  // where it starts
    bool operator==(const Chapter &) const = default;
};

// "MAIN MOVIE" first, leading back to the disc's main Quick ini file; empty before any disc.
using Specials = Listing<Special>;
using Chapters = Listing<Chapter>;

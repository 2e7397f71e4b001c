#pragma once
// What the selection window lists: the disc's main movie and specials, each run from its Quick ini file,
// and its chapters, each a place in the movie.
#include <QList>
#include <QObject>
#include <QString>

class Specials : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        QString iniFile;
        bool operator==(const Entry &) const = default;
    };
    using QObject::QObject;

    // "MAIN MOVIE" first, leading back to the disc's main Quick ini file; empty before any disc.
    const QList<Entry> &list() const { return list_; }
    void set(const QList<Entry> &list)
    {
        list_ = list;
        emit changed();
    }

signals:
    void changed();

private:
    QList<Entry> list_;
};

class Chapters : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        double frame = 0;  // where it starts
        bool operator==(const Entry &) const = default;
    };
    using QObject::QObject;

    const QList<Entry> &list() const { return list_; }
    void set(const QList<Entry> &list)
    {
        list_ = list;
        emit changed();
    }

signals:
    void changed();

private:
    QList<Entry> list_;
};

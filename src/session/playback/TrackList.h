#pragma once
// The sound and subtitle choices the "Select Language:" and "Select Subtitles:" lists offer, and which
// of them is in use. A disc fills them; the lists are its views and choose through the session.
#include <QList>
#include <QObject>
#include <QString>

class TrackList : public QObject {
    Q_OBJECT
public:
    struct Choice {
        QString name;  // as listed
        QString file;  // where it lies; empty for the movie's own sound
        bool operator==(const Choice &) const = default;
    };

    using QObject::QObject;

    // The movie's own sound first (the disc's name for it, else "DEFAULT"), then the disc's languages.
    // Empty before any disc.
    const QList<Choice> &audio() const { return audio_; }
    // The entry heard; -1 before any disc.
    int audioIndex() const { return audioIndex_; }
    // The disc's subtitle tracks.
    const QList<Choice> &subtitles() const { return subtitles_; }
    // The track shown; -1 while none is ("None").
    int subtitleIndex() const { return subtitleIndex_; }

    void setDisc(const QList<Choice> &audio, const QList<Choice> &subtitles, int subtitleIndex);
    void setAudioIndex(int index);
    void setSubtitleIndex(int index);

signals:
    void changed();

private:
    QList<Choice> audio_;
    int audioIndex_ = -1;
    QList<Choice> subtitles_;
    int subtitleIndex_ = -1;
};

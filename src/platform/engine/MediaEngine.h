#pragma once
// The media engine as the player windows use it: the operations of the classic media-player control,
// in its units. MediaPlayer1 (the movie) and MediaPlayer2 (a separate audio file) are two instances.
#include "playback/MovieTracks.h"

#include <QObject>
#include <QString>

class QWidget;

class MediaEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaEngine() override = default;

    // The file that is open, or empty.
    virtual QString fileName() const = 0;
    // Starts opening `path` and returns at once; opened() tells the end, the file loaded (paused at
    // the start) or not. A second open replaces one under way, which then is never told.
    virtual void open(const QString &path) = 0;
    // Unloads, and drops an open under way without a word.
    virtual void close() = 0;

    // 0: positions and duration in seconds; 1: in frames of the video.
    virtual int displayMode() const = 0;
    virtual void setDisplayMode(int mode) = 0;

    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double pos) = 0;
    virtual double duration() const = 0;

    virtual double rate() const = 0;
    virtual void setRate(double rate) = 0;

    // Hundredths of a decibel: 0 loudest, -10000 silent.
    virtual int volume() const = 0;
    virtual void setVolume(int hundredthsDb) = 0;

    virtual bool mute() const = 0;
    virtual void setMute(bool on) = 0;

    // 2 exactly while playing.
    virtual int playState() const = 0;

    // 0: the picture at its own size in the control; 4: stretched to fill the control.
    virtual int displaySize() const = 0;
    virtual void setDisplaySize(int size) = 0;

    virtual int imageSourceWidth() const = 0;
    virtual int imageSourceHeight() const = 0;

    // Place of the engine's picture inside the video window, twips. An engine without video keeps
    // the values and draws nothing.
    virtual double left() const = 0;
    virtual void setLeft(double twips) = 0;
    virtual double top() const = 0;
    virtual void setTop(double twips) = 0;
    virtual double width() const = 0;
    virtual void setWidth(double twips) = 0;
    virtual double height() const = 0;
    virtual void setHeight(double twips) = 0;

    virtual void play() = 0;
    // Does nothing when no file is loaded.
    virtual void pause() = 0;

    // True when the open video declared no frame rate and none could be measured, so 25 stands in.
    virtual bool frameRateAssumed() const { return false; }

    // 1: the statistics window.
    virtual void showDialog(int which) = 0;

    // The widget the picture is drawn in, or nullptr for an engine without video.
    virtual QWidget *videoWidget() { return nullptr; }

    // The open file's own tracks and chapters (chapter starts in the display mode's units); empty
    // while nothing is open. tracksChanged tells of a change after the open.
    virtual QList<MovieTrack> tracks() const = 0;
    virtual QList<MovieChapter> chapters() const = 0;
    // The audio track heard and the subtitle track taken, by their ids; 0 for none. An open starts with
    // the file's own choice of audio and no subtitle track.
    virtual int audioTrack() const = 0;
    virtual void setAudioTrack(int id) = 0;
    virtual int subtitleTrack() const = 0;
    // A text track is never drawn by the engine: its cues come as cueDue. A picture track the engine
    // draws on the picture itself.
    virtual void setSubtitleTrack(int id) = 0;
    // cueDue comes `delay` later than the cue's own time (earlier when negative); display mode units.
    virtual void setSubtitleDelay(double delay) = 0;

signals:
    // The end of the last open: `ok` with fileName() set, else with nothing loaded.
    void opened(bool ok);
    // Once when playback reaches the end; never on unload or a failed open.
    void EndOfStream(int result);
    // button 1 left, 2 right, 4 middle; shift as the keyboard modifier bits 1 shift, 2 ctrl, 4 alt;
    // x, y in twips within the picture.
    void MouseDown(int button, int shift, double x, double y);
    void Click(int button, int shift, double x, double y);
    void tracksChanged();
    // A cue of the text track became due, at its own time plus the delay, after playing or a seek: its
    // span in the display mode's units, without the delay, and its plain text, lines split by \n.
    void cueDue(double start, double end, const QString &text);
};

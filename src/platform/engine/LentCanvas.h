#pragma once
// The software renderer's canvas lent by the UI thread, picture by picture: a window's backing store,
// which only the UI thread may begin and end painting on and put on the screen.
#include "engine/SoftwareCanvas.h"

#include <QObject>
#include <condition_variable>
#include <mutex>

class QImage;

class LentCanvas : public QObject, public SoftwareCanvas {
    Q_OBJECT
public:
    // Answers wanted(): the thread draws into `target` (32-bit RGB, whole) and gives it back with
    // finished(); until then nobody else touches its pixels. Null when there is nothing to draw into.
    // False when the image was not taken: null, or the renderer is stopping.
    bool lend(QImage *target);

    Pixels take() override;
    void drawn(bool newFrame) override;
    void stop() override;

signals:
    // From the thread: a picture is to be drawn; lend() an image for it.
    void wanted();
    // From the thread: the image lent is drawn and given back.
    void finished(bool newFrame);

private:
    std::mutex lock_;
    std::condition_variable answered_;
    bool asking_ = false, stopped_ = false;
    Pixels lent_;
};

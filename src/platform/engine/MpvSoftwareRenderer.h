#pragma once
// libmpv's software renderer on a thread of its own: it converts and scales each frame straight into the
// pixels its canvas shows (SoftwareCanvas). At 1920x1080 the conversion takes longer than the UI thread
// can spare, and a copy of each frame would cost as much again. The thread calls only mpv_render_*
// functions, never anything that waits on the player core, since the core may be waiting for it to take
// a frame.
#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>
#include <utility>

class SoftwareCanvas;
struct mpv_handle;
struct mpv_render_context;

class MpvSoftwareRenderer {
public:
    // Draws `mpv`'s pictures on `canvas`, which must outlive it, once started; where no renderer can be
    // made, nothing is drawn.
    MpvSoftwareRenderer(mpv_handle *mpv, SoftwareCanvas *canvas);
    ~MpvSoftwareRenderer();

    // Starts the thread and switches `mpv` from the null output to this renderer. Called once whatever
    // answers the canvas's signals is connected: the thread may ask it for pixels at once.
    void start();

    // Whether anything shows the picture: while nothing does, frames are taken without drawing them.
    // Shown (again), the last picture is shown again.
    void setShown(bool shown);
    // The picture is to be drawn again: its size or its place changed.
    void redraw();

    // The player's options for converting and scaling each frame, as names and values.
    static std::span<const std::pair<const char *, const char *>> conversion();

private:
    static void onUpdate(void *self);
    void run();
    void skip();

    mpv_handle *mpv_;
    SoftwareCanvas *canvas_;
    mpv_render_context *render_ = nullptr;
    std::thread thread_;

    std::mutex lock_;
    std::condition_variable wake_;
    bool pending_ = false, stop_ = false, redraw_ = false, reshow_ = false, shown_ = false;
};

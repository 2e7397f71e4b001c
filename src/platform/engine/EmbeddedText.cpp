#include "engine/EmbeddedText.h"

#include "threads/DetachedThreads.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <dlfcn.h>
#include <mutex>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

// A movie's text track holds a few thousand cues; a file claiming far more is not read further.
constexpr size_t kMaxCues = 500000;

// FFmpeg's entry points, looked up in the libraries libmpv was built with; the names are our own so
// nothing in the process binds to them by accident.
struct Av {
    decltype(&avformat_alloc_context) allocContext = nullptr;
    decltype(&avformat_open_input) openInput = nullptr;
    decltype(&avformat_close_input) closeInput = nullptr;
    decltype(&av_read_frame) readFrame = nullptr;
    decltype(&av_packet_alloc) packetAlloc = nullptr;
    decltype(&av_packet_free) packetFree = nullptr;
    decltype(&av_packet_unref) packetUnref = nullptr;
    decltype(&avcodec_get_name) codecName = nullptr;
    decltype(&av_dict_get) dictGet = nullptr;
    decltype(&av_log_set_level) logLevel = nullptr;
    bool ok = false;
};

const Av &av()
{
    static Av a;
    static std::once_flag once;
    std::call_once(once, [] {
        void *format = dlopen("libavformat.so." QT_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR), RTLD_NOW | RTLD_LOCAL);
        void *codec = dlopen("libavcodec.so." QT_STRINGIFY(LIBAVCODEC_VERSION_MAJOR), RTLD_NOW | RTLD_LOCAL);
        void *util = dlopen("libavutil.so." QT_STRINGIFY(LIBAVUTIL_VERSION_MAJOR), RTLD_NOW | RTLD_LOCAL);
        if (!format || !codec || !util)
            return;
        const auto get = [](void *lib, const char *name, auto &f) {
            f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(dlsym(lib, name));
            return f != nullptr;
        };
        a.ok = get(format, "avformat_alloc_context", a.allocContext) &&
               get(format, "avformat_open_input", a.openInput) && get(format, "avformat_close_input", a.closeInput) && get(format, "av_read_frame", a.readFrame) &&
               get(codec, "av_packet_alloc", a.packetAlloc) && get(codec, "av_packet_free", a.packetFree) &&
               get(codec, "av_packet_unref", a.packetUnref) && get(codec, "avcodec_get_name", a.codecName) &&
               get(util, "av_dict_get", a.dictGet) && get(util, "av_log_set_level", a.logLevel);
        // A file the demuxers do not take is no news here, and the player runs without a terminal.
        if (a.ok)
            a.logLevel(AV_LOG_FATAL);
    });
    return a;
}

int stopRequested(void *stop)
{
    return static_cast<const std::atomic<bool> *>(stop)->load() ? 1 : 0;
}

QString tag(const Av &a, AVDictionary *metadata, const char *key)
{
    const AVDictionaryEntry *e = a.dictGet(metadata, key, nullptr, 0);
    return e ? QString::fromUtf8(e->value) : QString();
}

}  // namespace

struct EmbeddedText::Inbox {
    explicit Inbox(EmbeddedText *o) : owner(o) {}
    struct Letter {
        QString movie;
        quint64 generation;
        EmbeddedTrack track;
    };
    std::mutex lock;
    EmbeddedText *owner;
    std::vector<Letter> letters;
};

EmbeddedText::EmbeddedText(QObject *parent) : QObject(parent), inbox_(std::make_shared<Inbox>(this)) {}

EmbeddedText::~EmbeddedText()
{
    cancel();
    const std::lock_guard guard(inbox_->lock);
    inbox_->owner = nullptr;
}

void EmbeddedText::cancel()
{
    ++generation_;
    if (stop_)
        *stop_ = true;
    stop_.reset();
}

void EmbeddedText::read(const QString &movie)
{
    cancel();
    if (!QFileInfo(movie).isFile())
        return;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = generation_;
    DetachedThreads::start([inbox = inbox_, stop = stop_, movie, generation] {
        std::optional<EmbeddedTrack> track = readNow(movie, *stop);
        if (!track || *stop)
            return;
        // Posted while the owner cannot go away; a read given up since is dropped on its thread.
        const std::lock_guard guard(inbox->lock);
        if (EmbeddedText *owner = inbox->owner) {
            inbox->letters.push_back({movie, generation, std::move(*track)});
            QMetaObject::invokeMethod(owner, "collect", Qt::QueuedConnection);
        }
    });
}

void EmbeddedText::collect()
{
    std::vector<Inbox::Letter> letters;
    {
        const std::lock_guard guard(inbox_->lock);
        letters.swap(inbox_->letters);
    }
    for (const Inbox::Letter &l : letters) {
        if (l.generation == generation_)
            emit found(l.movie, l.track);
    }
}

std::optional<EmbeddedTrack> EmbeddedText::readNow(const QString &movie, const std::atomic<bool> &stop)
{
    // A read given up before it began needs no libraries loaded.
    if (stop)
        return std::nullopt;
    const Av &a = av();
    if (!a.ok)
        return std::nullopt;
    AVFormatContext *fmt = a.allocContext();
    if (!fmt)
        return std::nullopt;
    fmt->interrupt_callback.callback = stopRequested;
    fmt->interrupt_callback.opaque = const_cast<std::atomic<bool> *>(&stop);
    const QByteArray local = QFile::encodeName(QFileInfo(movie).absoluteFilePath());
    if (a.openInput(&fmt, local.constData(), nullptr, nullptr) < 0)
        return std::nullopt;  // the context is freed on failure
    std::vector<TextTrack> tracks;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const AVStream *s = fmt->streams[i];
        if (s->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        tracks.push_back({int(i), a.codecName(s->codecpar->codec_id), (s->disposition & AV_DISPOSITION_DEFAULT) != 0,
                          tag(a, s->metadata, "language"), tag(a, s->metadata, "title")});
    }
    std::optional<EmbeddedTrack> result;
    if (const auto chosen = EmbeddedCues::chooseTrack(tracks)) {
        result = EmbeddedTrack{*chosen, {}};
        for (unsigned i = 0; i < fmt->nb_streams; ++i)
            fmt->streams[i]->discard = int(i) == chosen->stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
        const AVRational base = fmt->streams[chosen->stream]->time_base;
        AVPacket *packet = a.packetAlloc();
        while (packet && !stop && result->cues.size() < kMaxCues && a.readFrame(fmt, packet) >= 0) {
            const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (packet->stream_index == chosen->stream && ts != AV_NOPTS_VALUE && packet->size > 0) {
                result->cues.push_back(EmbeddedCues::cue(
                    ts, packet->duration, base.num, base.den,
                    QByteArray(reinterpret_cast<const char *>(packet->data), packet->size)));
            }
            a.packetUnref(packet);
        }
        a.packetFree(&packet);
    }
    a.closeInput(&fmt);
    if (stop)
        return std::nullopt;
    return result;
}

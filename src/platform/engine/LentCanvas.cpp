#include "engine/LentCanvas.h"

#include <QImage>
#include <utility>

namespace {

// Qt's RGB32 is a 32-bit word 0x??RRGGBB: "bgr0" in memory on a little-endian machine. The screen
// ignores the unused byte.
constexpr const char *kFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "bgr0" : "0rgb";

}  // namespace

bool LentCanvas::lend(QImage *target)
{
    Pixels p;
    if (target && !target->isNull()) {
        // bits() first: should it copy a shared image, the copy's rows are the ones to describe.
        p.bits = target->bits();
        p.stride = static_cast<size_t>(target->bytesPerLine());
        p.size = target->size();
        p.format = kFormat;
    }
    {
        const std::lock_guard lock(lock_);
        if (!asking_)
            return false;
        lent_ = p;
        asking_ = false;
    }
    answered_.notify_one();
    return p.bits != nullptr;
}

SoftwareCanvas::Pixels LentCanvas::take()
{
    {
        const std::lock_guard lock(lock_);
        if (stopped_)
            return {};
        asking_ = true;
    }
    emit wanted();
    std::unique_lock lock(lock_);
    answered_.wait(lock, [this] { return !asking_ || stopped_; });
    asking_ = false;
    return stopped_ ? Pixels() : std::exchange(lent_, Pixels());
}

void LentCanvas::drawn(bool newFrame)
{
    emit finished(newFrame);
}

void LentCanvas::stop()
{
    {
        const std::lock_guard lock(lock_);
        stopped_ = true;
    }
    answered_.notify_one();
}

#pragma once
// Work that may wait on a drive or a mount that never answers, done on a thread of its own and taken
// back on the thread this object lives on. Only the work asked for last is taken: asking again or
// dropping gives up the work under way without waiting for it, and nothing of it arrives afterwards;
// nor does anything once this object has gone.
#include "threads/DetachedThreads.h"

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

class LatestWork : public QObject {
    Q_OBJECT
public:
    explicit LatestWork(QObject *parent = nullptr);
    ~LatestWork() override;

    // Runs `work` on a thread of its own, then `take` with its result here. `work` must own all it
    // uses; `take` runs on this object's thread only, so it may use what lives there.
    template <typename Work, typename Take>
    void run(Work work, Take take)
    {
        using Result = std::invoke_result_t<Work &>;
        const quint64 ticket = ++ticket_;
        underWay_ = true;
        DetachedThreads::start([mailbox = mailbox_, ticket, work = std::move(work), take = std::move(take)]() mutable {
            yieldToUi();
            Result result = work();
            mailbox->post([ticket, take = std::move(take), result = std::move(result)](LatestWork &owner) {
                if (ticket != owner.ticket_)
                    return;
                owner.underWay_ = false;
                take(result);
            });
        });
    }

    // The work under way, if any, is given up.
    void drop();
    bool underWay() const { return underWay_; }

private slots:
    void collect();

private:
    // The calling thread gives way to the UI thread when both want a core.
    static void yieldToUi();

    struct Mailbox {
        std::mutex lock;
        LatestWork *owner = nullptr;
        std::vector<std::function<void(LatestWork &)>> letters;
        // Leaves `deliver` here under the lock for the owner's thread to take, so that nothing crosses
        // inside the post itself; with the owner gone it goes with the thread.
        void post(std::function<void(LatestWork &)> deliver);
    };
    std::shared_ptr<Mailbox> mailbox_;
    quint64 ticket_ = 0;
    bool underWay_ = false;
};

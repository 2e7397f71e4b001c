#pragma once
// The machine's drives as the player sees them: the places the Browse dialog offers, and the optical
// drives that disc mode searches. Real implementation over the kernel's mount table and block devices;
// tests use a double with drives of their own.
#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

class DriveScan;
class QSocketNotifier;

struct Drive {
    QString name;        // as the lists and the run log show it
    QString root;        // the folder its files are under; empty while no medium is mounted
    bool ready = false;  // a medium is in and can be read
};

// Answers at once with what it last found, never waiting on a drive; changed() tells of newer findings.
class Drives : public QObject {
    Q_OBJECT
public:
    // The places a user would browse from, in the order a file manager shows them.
    virtual QList<Drive> volumes() = 0;
    // The optical drives, in device-name order, with or without a medium.
    virtual QList<Drive> opticalDrives() = 0;

signals:
    void changed();
};

class QtDrives final : public Drives {
    Q_OBJECT
public:
    // How long a mount may take to answer before it is left out.
    static constexpr int kAnswerMs = 2000;

    // Starts looking at once; until the first answers come, the places are home and the root folder.
    explicit QtDrives(int answerMs = kAnswerMs);
    ~QtDrives() override;

    // Each call also looks again, so a list shown now is followed by a fresh one.
    QList<Drive> volumes() override;
    QList<Drive> opticalDrives() override;

private:
    // Takes the scan's latest finding; posted by name, so that nothing but `arrived_` passes between
    // the threads.
    Q_INVOKABLE void take();

    QList<Drive> volumes_, optical_;
    struct Finding {
        QList<Drive> volumes, optical;
    };
    std::mutex arriving_;
    std::optional<Finding> arrived_;
    std::unique_ptr<DriveScan> scan_;
    QSocketNotifier *mountsChanged_ = nullptr;
};

#pragma once
// The run log: one line per event, CR LF line ends, UTF-8. It writes
// nothing while the program runs in autorun mode and nothing while it is not open.
#include <QFile>
#include <QString>
#include <QStringEncoder>

class QDateTime;
struct AppState;

class RunLog {
public:
    explicit RunLog(const AppState &state);

    // Opens `path`, replacing an earlier file. When that fails (read-only folder or file) the log
    // goes to the same name in the per-user data folder; when that fails too there is no log.
    // Returns whether a log is open. Never opens in autorun mode.
    bool open(const QString &path);
    bool isOpen() const { return file_.isOpen(); }
    QString path() const { return isOpen() ? file_.fileName() : QString(); }

    // A text line, unchanged; the empty text gives an empty line.
    void line(const QString &text);
    // A number as a line of its own: " 15 ", "-2 ".
    void item(double value);
    // Two items, the second starting at the next print zone (every 14 columns).
    void zones(const QString &first, const QString &second);
    void close();

    // A date and time in the system's general date format.
    static QString dateText(const QDateTime &when);
    // `first` padded with blanks to the next print zone.
    static QString toNextZone(const QString &first);

private:
    bool openAt(const QString &path);

    const AppState &state_;
    QFile file_;
    QStringEncoder encoder_;
};

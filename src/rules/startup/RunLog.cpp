#include "startup/RunLog.h"

#include "numbers/basic_numbers.h"
#include "startup/AppState.h"
#include "startup/ProgramFolder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

static constexpr int zoneWidth = 14;

RunLog::RunLog(const AppState &state)
    // UTF-8, so that paths in any script are logged as they are, as in the settings file.
    : state_(state), encoder_(QStringConverter::Utf8)
{
}

bool RunLog::open(const QString &path)
{
    close();
    if (state_.autorunMode)
        return false;
    if (openAt(path))
        return true;
    const QString user = ProgramFolder::userFolder();
    return !user.isEmpty() && openAt(user + QFileInfo(path).fileName());
}

bool RunLog::openAt(const QString &path)
{
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void RunLog::line(const QString &text)
{
    if (state_.autorunMode || !file_.isOpen())
        return;
    const QByteArray bytes = encoder_.encode(text);
    file_.write(bytes + "\r\n");
    // Unbuffered beyond the file itself: a crash leaves every line written so far.
    file_.flush();
}

void RunLog::item(double value)
{
    line(basic_numbers::logItem(value));
}

void RunLog::zones(const QString &first, const QString &second)
{
    line(toNextZone(first) + second);
}

void RunLog::close()
{
    if (file_.isOpen())
        file_.close();
}

QString RunLog::dateText(const QDateTime &when)
{
    return QLocale::system().toString(when, QLocale::ShortFormat);
}

QString RunLog::toNextZone(const QString &first)
{
    return first + QString(zoneWidth - first.size() % zoneWidth, QLatin1Char(' '));
}

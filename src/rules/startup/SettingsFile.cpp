#include "startup/SettingsFile.h"

#include "numbers/basic_numbers.h"
#include "startup/ProgramFolder.h"

#include "text/TextDecoding.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace SettingsFile {

namespace {

const QString kFileName = QStringLiteral("kelmora.cfg");

// An installed copy's folder is shared with other programs, so its settings live per user like those
// of a copy in a folder it cannot write.
// A kelmora.cfg there that is not a file (a folder) cannot be replaced either.
bool besideWritable(const QString &appPath)
{
    const QFileInfo folder(appPath);
    const QFileInfo file(appPath + kFileName);
    return folder.isDir() && folder.isWritable() && !ProgramFolder::installed(appPath) &&
           (!file.exists() || file.isFile());
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// No line the writer makes is longer: a key and a value of kMaxTextLength UTF-16 units, each at most
// three bytes in UTF-8 (a doubled quote takes two), quoted, the comma and the CR.
constexpr qsizetype kLineBytes = 64 * 1024;
static_assert(2 * (3 * qsizetype(kMaxTextLength) + 2) + 2 <= kLineBytes);
// Longer than any font family's name.
constexpr qsizetype kFontNameLength = 128;
// The longest path a file system takes, in bytes.
constexpr qsizetype kPathBytes = 4096;

enum class Line { End, Whole, TooLong };

// The next line of the file without its line end. A line past kLineBytes is passed over whole, so
// no part of it is taken for a value. In a file of CR LF line ends a lone LF inside a quoted value
// stays in its line; a file edited into LF-only line ends is read by those.
Line nextLine(QIODevice &device, QByteArray &line, bool crlf)
{
    line.clear();
    bool any = false, tooLong = false, ended = false;
    char last = 0;  // the line's last byte so far, kept when the line itself is not
    char chunk[4096];
    while (!ended) {
        const qint64 n = device.readLine(chunk, sizeof chunk);
        if (n <= 0)
            break;
        any = true;
        ended = chunk[n - 1] == '\n';
        const qint64 body = ended ? n - 1 : n;
        if (body > 0)
            last = chunk[body - 1];
        if (!tooLong)
            line.append(chunk, body);
        if (ended && crlf && last != '\r') {
            ended = false;
            last = '\n';
            if (!tooLong)
                line.append('\n');
        }
        if (line.size() > kLineBytes) {
            tooLong = true;
            line.clear();
        }
    }
    if (!any)
        return Line::End;
    if (tooLong)
        return Line::TooLong;
    if (ended && last == '\r')
        line.chop(1);
    return Line::Whole;
}

// At most `length` UTF-16 units of `text`, never half of a character.
QString wholeCharacters(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    return text.left(length > 0 && text[length - 1].isHighSurrogate() ? length - 1 : length);
}

bool holdsControls(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// A quoted field starting at `pos` (on the quote): its text, with doubled quotes as one, and the
// position after the closing quote; nothing when the quote is never closed.
std::optional<QString> quoted(const QString &line, qsizetype &pos)
{
    QString text;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        if (line[i] != QLatin1Char('"')) {
            text += line[i];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            text += QLatin1Char('"');
            ++i;
            continue;
        }
        pos = i + 1;
        return text;
    }
    return std::nullopt;
}

bool needsQuotes(const QString &value)
{
    if (value.isEmpty())
        return false;
    if (isBlank(value.front()) || isBlank(value.back()))
        return true;
    for (QChar c : value) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return true;
    }
    return false;
}

}  // namespace

const std::array<QString, FirstKey> &fixedKeys()
{
    static const std::array<QString, FirstKey> keys{
        QStringLiteral("Vistrel top"),
        QStringLiteral("Vistrel left"),
        QStringLiteral("Subtitles Hsize"),
        QStringLiteral("Subtitles Vsize"),
        QStringLiteral("Subtitles top"),
        QStringLiteral("Subtitles left"),
        QStringLiteral("font name"),
        QStringLiteral("font size"),
        QStringLiteral("font color"),
        QStringLiteral("font bold"),
        QStringLiteral("font italic"),
        QStringLiteral("font underline"),
        QStringLiteral("font strike"),
        QStringLiteral("Auto Show Subtitles"),
        QStringLiteral("Hide Subtitles"),
        QStringLiteral("Transparent Subtitles"),
        QStringLiteral("Overlay Initialize Frame"),
        QStringLiteral("Pan & Scan Ratio"),
        QStringLiteral("Start fullscreen"),
        QStringLiteral("AutoStart"),
        QStringLiteral("Autoreverse"),
        QStringLiteral("Elapsed vs Remain"),
        QStringLiteral("Time vs frames"),
        QStringLiteral("last dir"),
        QStringLiteral("Skin file"),
    };
    return keys;
}

std::optional<QString> valueOf(const QString &line)
{
    // The key: a quoted field or the text up to the first comma.
    qsizetype pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    if (pos < line.size() && line[pos] == QLatin1Char('"') && !quoted(line, pos))
        return std::nullopt;
    pos = line.indexOf(QLatin1Char(','), pos);
    if (pos < 0)
        return std::nullopt;
    ++pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    if (pos < line.size() && line[pos] == QLatin1Char('"')) {
        // Anything after the closing quote is not part of the value. A quote never closed is the
        // older rule's unquoted text, such as a key bound to the quote character.
        qsizetype end = pos;
        if (auto text = quoted(line, end))
            return text;
    }
    // Unquoted: the rest of the line, so an older file's comma inside a value does not cut it.
    qsizetype end = line.size();
    while (end > pos && isBlank(line[end - 1]))
        --end;
    return line.mid(pos, end - pos);
}

Values read(QIODevice &device)
{
    const QByteArray codePage = TextDecoding::legacyCodePage();
    const bool crlf = device.peek(4 * kLineBytes).contains("\r\n");
    QByteArray line;
    Values values;
    for (int i = 0; i < kEntries; ++i) {
        const Line got = nextLine(device, line, crlf);
        if (got == Line::End)
            break;
        if (got == Line::TooLong)
            continue;
        if (i == 0 && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        values[static_cast<size_t>(i)] = valueOf(TextDecoding::decodeLine(line, codePage));
    }
    return values;
}

Values read(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

QByteArray write(const Keys &keys, const std::array<QString, kEntries> &values)
{
    // A key is never read, but a comma or a line end in it would put the value out of step.
    const auto field = [](const QString &text) {
        QString kept = wholeCharacters(text, kMaxTextLength);
        if (kept.contains(QStringLiteral("\r\n")))
            return QString();
        if (!needsQuotes(kept))
            return kept;
        return QLatin1Char('"') + kept.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    };
    QString text;
    for (size_t i = 0; i < values.size(); ++i)
        text += field(keys[i]) + QLatin1Char(',') + field(values[i]) + QStringLiteral("\r\n");
    return text.toUtf8();
}

bool save(const QString &path, const QByteArray &bytes, QString &reason)
{
    QSaveFile file(path);
    const auto failed = [&] {
        reason = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // QSaveFile renames a file whose buffered write failed at its flush over the old one: a full disk
    // would leave an empty file. The flush and its error are checked here, before the commit.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return failed();
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

QString readPath(const QString &appPath)
{
    const QString beside = appPath + kFileName;
    if (besideWritable(appPath))
        return beside;
    const QString user = ProgramFolder::configFolder();
    if (!user.isEmpty() && QFileInfo::exists(user + kFileName))
        return user + kFileName;
    return beside;
}

QString writePath(const QString &appPath)
{
    if (besideWritable(appPath))
        return appPath + kFileName;
    const QString user = ProgramFolder::configFolder();
    return user.isEmpty() ? appPath + kFileName : user + kFileName;
}

std::optional<double> number(const std::optional<QString> &value, double min, double max)
{
    if (!value)
        return std::nullopt;
    bool ok = false;
    const double v = value->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < min || v > max)
        return std::nullopt;
    return v;
}

std::optional<bool> checkBox(const std::optional<QString> &value)
{
    const auto v = number(value, 0, 1);
    if (!v || (*v != 0 && *v != 1))
        return std::nullopt;
    return *v == 1;
}

std::optional<bool> nonZero(const std::optional<QString> &value)
{
    const auto v = number(value, -2147483648.0, 2147483647.0);
    if (!v)
        return std::nullopt;
    return basic_numbers::roundEven(*v) != 0;
}

std::optional<bool> minusOne(const std::optional<QString> &value)
{
    const auto v = number(value, -2147483648.0, 2147483647.0);
    if (!v)
        return std::nullopt;
    return basic_numbers::roundEven(*v) == -1;
}

std::optional<QString> fontName(const std::optional<QString> &value)
{
    if (!value || value->trimmed().isEmpty() || value->size() > kFontNameLength || holdsControls(*value))
        return std::nullopt;
    return value;
}

std::optional<QString> path(const std::optional<QString> &value)
{
    if (!value || value->isEmpty() || value->toUtf8().size() > kPathBytes || holdsControls(*value))
        return std::nullopt;
    return value;
}

std::optional<QString> boxText(const std::optional<QString> &value, int maxLength)
{
    if (!value || holdsControls(*value))
        return std::nullopt;
    return wholeCharacters(*value, maxLength);
}

std::optional<QString> key(const std::optional<QString> &value)
{
    if (!value)
        return std::nullopt;
    const bool pair = value->size() > 1 && value->at(0).isHighSurrogate() && value->at(1).isLowSurrogate();
    const QString first = value->left(pair ? 2 : 1);
    // Enter and Escape are the only keys without a character of their own that a key box takes; any
    // other control character was never typed into one.
    const bool control = !first.isEmpty() && first.front().category() == QChar::Other_Control;
    if (control && first != QLatin1String("\r") && first != QLatin1String("\x1b"))
        return std::nullopt;
    return first;
}

QString checkText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

QString flagText(bool set)
{
    return set ? QStringLiteral("-1") : QStringLiteral("0");
}

QString numberText(double v)
{
    if (!std::isfinite(v))
        return {};
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

}  // namespace SettingsFile

#include "startup/SettingsFile.h"

#include "numbers/basic_numbers.h"
#include "startup/ProgramFolder.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <cmath>

namespace SettingsFile {

namespace {

const QString kFileName = QStringLiteral("kelmora.cfg");

// An installed copy's folder is shared with other programs, so its settings live per user like those
// of a copy in a folder it cannot write.
bool besideWritable(const QString &appPath)
{
    const QFileInfo folder(appPath);
    return folder.isDir() && folder.isWritable() && !ProgramFolder::installed(appPath);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString decode(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError())
        return text;
    // Files of the older rule are in the 8-bit code page. Qt without ICU knows no Windows code pages;
    // Latin-1 agrees with Windows-1252 outside 0x80-0x9F.
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(body);
    return QString::fromLatin1(body);
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

Values read(const QByteArray &bytes)
{
    const QString text = decode(bytes);
    // Lines end in CR LF; a lone CR or LF inside a quoted value stays in its line. A file edited into
    // LF-only line ends is read by those.
    const QString eol = text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    Values values;
    qsizetype start = 0;
    for (int i = 0; i < kEntries && start < text.size(); ++i) {
        qsizetype end = text.indexOf(eol, start);
        if (end < 0)
            end = text.size();
        values[static_cast<size_t>(i)] = valueOf(text.mid(start, end - start));
        start = end + eol.size();
    }
    return values;
}

QByteArray write(const Keys &keys, const std::array<QString, kEntries> &values)
{
    QString text;
    for (size_t i = 0; i < values.size(); ++i) {
        QString value = values[i];
        if (value.contains(QStringLiteral("\r\n")))
            value.clear();
        if (needsQuotes(value))
            value = QLatin1Char('"') + QString(value).replace(QLatin1String("\""), QLatin1String("\"\"")) +
                    QLatin1Char('"');
        text += keys[i] + QLatin1Char(',') + value + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

bool save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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

std::optional<QString> nonEmpty(const std::optional<QString> &value)
{
    if (!value || value->isEmpty())
        return std::nullopt;
    return value;
}

QString checkText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

QString flagText(bool set)
{
    return set ? QStringLiteral("-1") : QStringLiteral("0");
}

}  // namespace SettingsFile

#pragma once
// The settings file "kelmora.cfg": 46 lines of key, comma and value in a fixed order, CR LF line ends.
// The reader knows an entry only by its line; the key is ignored. Values that would not read back as
// they are (a comma, a double quote, blanks at either end, a line break) are written in double quotes
// with inner quotes doubled, so files written without quoting read exactly as before.
// No widgets here: the panel turns controls into values and back.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <array>
#include <optional>

namespace SettingsFile {

constexpr int kEntries = 46;
constexpr int kKeyEntries = 21;

// The longest text a key or a value keeps, in UTF-16 units as a line box counts them: a box that
// takes more would lose the rest at the next start. The writer cuts a longer text at a character.
constexpr int kMaxTextLength = 10000;

// Line of each entry, from 0.
enum Entry {
    PanelTop,
    PanelLeft,
    SubtitlesHsize,
    SubtitlesVsize,
    SubtitlesTop,
    SubtitlesLeft,
    FontName,
    FontSize,
    FontColor,
    FontBold,
    FontItalic,
    FontUnderline,
    FontStrike,
    AutoShowSubtitles,
    HideSubtitles,
    TransparentSubtitles,
    OverlayInitializeFrame,
    PanScanRatio,
    StartFullscreen,
    AutoStart,
    Autoreverse,
    ElapsedVsRemain,
    TimeVsFrames,
    LastDir,
    SkinFile,
    FirstKey,  // 21 keyboard-map entries follow, captioned as their labels
};

using Values = std::array<std::optional<QString>, kEntries>;
using Keys = std::array<QString, kEntries>;

// The keys of the first 25 entries; the keyboard map's are the captions of its labels.
const std::array<QString, FirstKey> &fixedKeys();

// The value of each line, or nothing for a missing line or one without a comma. Lines past the 46th
// are ignored and never read; a line longer than the writer ever makes gives nothing, and the next
// line is the next entry. Each line is UTF-8, or in the user's legacy code page where it is not
// valid UTF-8.
Values read(QIODevice &device);
Values read(const QByteArray &bytes);
// The value field of one line.
std::optional<QString> valueOf(const QString &line);

// The whole file, UTF-8. A key or value holding CR LF cannot be kept on its line and is written
// empty; one longer than kMaxTextLength is cut. Every other text reads back as it was, control
// characters and all.
QByteArray write(const Keys &keys, const std::array<QString, kEntries> &values);

// Replaces `path` atomically: the old file stays whole until the new one is complete on disk. A
// failed write, flush or sync leaves the old file as it was; `reason` then says why.
bool save(const QString &path, const QByteArray &bytes, QString &reason);

// Where the file is read from and written to: beside the program, or, where the program folder
// cannot be written or its kelmora.cfg is a folder, in the per-user config folder.
QString readPath(const QString &appPath);
QString writePath(const QString &appPath);

// Conversions of stored values; nothing where the value is missing or does not convert.
std::optional<double> number(const std::optional<QString> &value, double min, double max);
std::optional<bool> checkBox(const std::optional<QString> &value);    // 0 or 1
std::optional<bool> nonZero(const std::optional<QString> &value);     // font flags: set when not 0
std::optional<bool> minusOne(const std::optional<QString> &value);    // options: selected when -1
// Texts that the panel could have written: nothing for a font name that is blank, holds control
// characters or is longer than any family's name; for a path that is empty, longer than any file
// system takes or holds control characters (which no folder a user picks has); for a box's text
// with control characters. A box keeps what it can hold.
std::optional<QString> fontName(const std::optional<QString> &value);
std::optional<QString> path(const std::optional<QString> &value);
std::optional<QString> boxText(const std::optional<QString> &value, int maxLength);
// A keyboard-map key: one character (Enter is "\r", Escape "\x1b"; no other control character), or
// empty for none; of a longer text its first character.
std::optional<QString> key(const std::optional<QString> &value);

// How values are written: check boxes 1 or 0, options and font flags -1 or 0, numbers in the shortest
// form that number() reads back exactly (fractions and negative places too; empty, so the default
// stays, for a number that is not finite).
QString checkText(bool ticked);
QString flagText(bool set);
QString numberText(double v);

}  // namespace SettingsFile

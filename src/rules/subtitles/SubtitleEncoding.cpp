#include "subtitles/SubtitleEncoding.h"

#include "text/TextDecoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <iconv.h>
#include <uchardet.h>

namespace {

// Below this many bytes above 0x7F the detector guesses: a lone "à" comes back as Baltic.
constexpr int minimumHighBytes = 4;
// Below this many, a Western answer is the detector's guess too: two lines of Polish in ISO-8859-2
// come back as Windows-1252.
constexpr int confidentHighBytes = 64;

bool isHigh(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

bool holdsHighByte(QByteArrayView text)
{
    for (char c : text) {
        if (isHigh(c))
            return true;
    }
    return false;
}

// Bytes 0x80..0x9F are control codes in every ISO code page and never subtitle text; a file that has
// them was written in the Windows code page of the same letters.
bool holdsControlCodes(QByteArrayView sample)
{
    for (char c : sample) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0)
            return true;
    }
    return false;
}

// The Windows code page to read instead of the detected one. The first ones are supersets: every
// letter of the ISO code page stands at the same byte, and the Windows one adds curly quotes, the
// euro sign and more in 0x80..0x9F. ISO-8859-15 is taken as the Western Windows code page too, as
// Western files have always been read.
QByteArray windowsSuperset(const QByteArray &detected, QByteArrayView sample)
{
    static const std::pair<const char *, const char *> always[] = {
        {"ISO-8859-1", "windows-1252"}, {"ISO-8859-15", "windows-1252"}, {"ISO-8859-9", "windows-1254"},
        {"ISO-8859-7", "windows-1253"}, {"TIS-620", "windows-874"},      {"ISO-8859-11", "windows-874"},
        {"EUC-KR", "windows-949"},      {"UHC", "windows-949"},          {"ASCII", "windows-1252"}};
    // Most letters at the same bytes; only taken when the file shows it is not in the ISO one.
    static const std::pair<const char *, const char *> withControlCodes[] = {
        {"ISO-8859-2", "windows-1250"}, {"ISO-8859-8", "windows-1255"}, {"ISO-8859-13", "windows-1257"}};
    for (const auto &[iso, windows] : always) {
        if (detected.compare(iso, Qt::CaseInsensitive) == 0)
            return windows;
    }
    for (const auto &[iso, windows] : withControlCodes) {
        if (detected.compare(iso, Qt::CaseInsensitive) == 0 && holdsControlCodes(sample))
            return windows;
    }
    return detected;
}

// One byte through iconv; U+FFFD when it stands for nothing in the code page.
char16_t iconvByte(iconv_t cd, unsigned char byte)
{
    char in = static_cast<char>(byte);
    char32_t out = 0;
    char *inPtr = &in;
    auto *outPtr = reinterpret_cast<char *>(&out);
    size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 0 || out > 0xFFFF)
        return u'\xFFFD';
    return static_cast<char16_t>(out);
}

bool keepsAscii(const QString &table)
{
    for (int b = 0; b < 0x80; ++b) {
        if (table[b].unicode() != b)
            return false;
    }
    return true;
}

// The code page's table, when it is single-byte and ASCII is itself in it; empty otherwise.
QString singleByteTable(const QByteArray &codePage)
{
    QString table(256, Qt::Uninitialized);
    QByteArray all(256, Qt::Uninitialized);
    QStringDecoder decoder(codePage.constData());
    if (decoder.isValid()) {
        for (int b = 0; b < 256; ++b) {
            all[b] = static_cast<char>(b);
            // A multibyte code page gives nothing for a lead byte alone.
            decoder.resetState();
            const QString one = decoder.decode(QByteArrayView(all.constData() + b, 1));
            if (one.size() != 1)
                return QString();
            table[b] = one.front();
        }
        // Nor may two bytes in a row make one character.
        decoder.resetState();
        if (QString(decoder.decode(all)) != table)
            return QString();
    } else {
        // The code pages Qt lacks that the detector names (Vietnamese, Romanian) are single-byte.
        const iconv_t cd = iconv_open("UTF-32LE", codePage.constData());
        if (cd == reinterpret_cast<iconv_t>(-1))
            return QString();
        for (int b = 0; b < 256; ++b)
            table[b] = QChar(iconvByte(cd, static_cast<unsigned char>(b)));
        iconv_close(cd);
    }
    return keepsAscii(table) ? table : QString();
}

bool isWestern(const QByteArray &detected)
{
    for (const char *western : {"ASCII", "ISO-8859-1", "ISO-8859-15", "WINDOWS-1252"}) {
        if (detected.compare(western, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// How many of the sample's bytes above 0x7F are letters in a single-byte code page.
int lettersIn(QByteArrayView sample, const QString &table)
{
    int letters = 0;
    for (char c : sample) {
        if (isHigh(c) && table[static_cast<unsigned char>(c)].isLetter())
            ++letters;
    }
    return letters;
}

// The user's legacy code page; for a Windows one with an ISO twin of mostly the same letters, the
// twin when it reads more of the sample as letters (ą ś ź of ISO-8859-2 are symbols in Windows-1250).
QByteArray localCodePage(QByteArrayView sample, const QLocale &locale)
{
    static const std::pair<const char *, const char *> twins[] = {
        {"windows-1250", "ISO-8859-2"}, {"windows-1251", "ISO-8859-5"}, {"windows-1253", "ISO-8859-7"},
        {"windows-1254", "ISO-8859-9"}, {"windows-1255", "ISO-8859-8"}, {"windows-1256", "ISO-8859-6"},
        {"windows-1257", "ISO-8859-13"}};
    const QByteArray windows = TextDecoding::legacyCodePage(locale);
    for (const auto &[page, iso] : twins) {
        if (windows != page)
            continue;
        const QString windowsTable = singleByteTable(windows), isoTable = singleByteTable(iso);
        if (!windowsTable.isEmpty() && !isoTable.isEmpty() && lettersIn(sample, isoTable) > lettersIn(sample, windowsTable))
            return iso;
    }
    return windows;
}

}  // namespace

bool sampleLine(QByteArrayView line, QByteArray &sample, qsizetype room)
{
    if (holdsHighByte(line) && !TextDecoding::isUtf8(line)) {
        sample.append(line.first(std::min(line.size(), room - sample.size())));
        sample.append('\n');
    }
    return sample.size() < room;
}

CodePage chooseCodePage(QByteArrayView sample, const QLocale &locale)
{
    const auto decodable = [](const QByteArray &name) {
        CodePage page{name, singleByteTable(name)};
        if (page.table.isEmpty() && !QStringDecoder(name.constData()).isValid())
            return CodePage{"windows-1252", singleByteTable("windows-1252")};
        return page;
    };
    int high = 0;
    for (char c : sample)
        high += isHigh(c);
    if (high < minimumHighBytes)
        return decodable(localCodePage(sample, locale));
    const uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, sample.data(), static_cast<size_t>(sample.size()));
    uchardet_data_end(detector);
    const QByteArray detected = uchardet_get_charset(detector);
    uchardet_delete(detector);
    if (detected.isEmpty() || (isWestern(detected) && high < confidentHighBytes))
        return decodable(localCodePage(sample, locale));
    return decodable(windowsSuperset(detected, sample));
}

QByteArray toUtf8(QByteArrayView raw, const QByteArray &codePage)
{
    return TextDecoding::decode(raw, codePage).toUtf8();
}

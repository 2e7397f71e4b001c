#include "text/TextDecoding.h"

#include <QStringDecoder>

namespace TextDecoding {

QByteArray legacyCodePage(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Bosnian:
    case QLocale::Albanian:
    case QLocale::Romanian:
        return "windows-1250";
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Bulgarian:
    case QLocale::Belarusian:
    case QLocale::Macedonian:
        return "windows-1251";
    case QLocale::Serbian:
        return locale.script() == QLocale::LatinScript ? "windows-1250" : "windows-1251";
    case QLocale::Greek:
        return "windows-1253";
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return "windows-1254";
    case QLocale::Hebrew:
        return "windows-1255";
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return "windows-1256";
    case QLocale::Lithuanian:
    case QLocale::Latvian:
    case QLocale::Estonian:
        return "windows-1257";
    case QLocale::Vietnamese:
        return "windows-1258";
    case QLocale::Thai:
        return "windows-874";
    case QLocale::Japanese:
        return "Shift_JIS";
    case QLocale::Korean:
        return "EUC-KR";
    case QLocale::Chinese: {
        const bool traditional = locale.script() == QLocale::TraditionalChineseScript ||
                                 locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong ||
                                 locale.territory() == QLocale::Macao;
        return traditional ? "Big5" : "GBK";
    }
    default:
        return "windows-1252";
    }
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The decoder converts only when its result is taken.
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

namespace {

QStringDecoder legacyDecoder(const QByteArray &codePage)
{
    QStringDecoder legacy(codePage.constData(), QStringConverter::Flag::Stateless);
    if (!legacy.isValid())
        legacy = QStringDecoder("windows-1252", QStringConverter::Flag::Stateless);
    return legacy;
}

QString decodeWith(QByteArrayView line, QStringDecoder &utf8, QStringDecoder &legacy)
{
    utf8.resetState();
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    legacy.resetState();
    // Without the Windows code pages (Qt built without ICU), Latin-1 agrees with Windows-1252 outside
    // 0x80-0x9F.
    return legacy.isValid() ? QString(legacy.decode(line)) : QString::fromLatin1(line);
}

}  // namespace

QString decodeLine(QByteArrayView line, const QByteArray &codePage)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QStringDecoder legacy = legacyDecoder(codePage);
    return decodeWith(line, utf8, legacy);
}

QString decode(QByteArrayView bytes, const QByteArray &codePage)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // Most files are wholly one or the other: one pass for those.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString whole = utf8.decode(bytes);
    if (!utf8.hasError())
        return whole;
    QStringDecoder legacy = legacyDecoder(codePage);
    QString text;
    text.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        text += decodeWith(bytes.sliced(start, end - start), utf8, legacy);
        qsizetype next = end;
        while (next < bytes.size() && (bytes[next] == '\r' || bytes[next] == '\n'))
            ++next;
        text += QString::fromLatin1(bytes.sliced(end, next - end));
        start = next;
    }
    return text;
}

}  // namespace TextDecoding

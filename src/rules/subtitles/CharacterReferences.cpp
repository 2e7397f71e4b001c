#include "subtitles/CharacterReferences.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace CharacterReferences {

namespace {

// The longest name, "CounterClockwiseContourIntegral;".
constexpr qsizetype longestName = 32;

// What browsers read numbers 0x80 to 0x9F as: the Windows-1252 characters the files that use them mean.
// The five the code page leaves out stand for themselves.
constexpr char32_t windows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

struct Found {
    qsizetype end = 0;  // just past the reference
    QString value;
};

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = 99;
    if (u >= '0' && u <= '9')
        d = u - '0';
    else if (u >= 'a' && u <= 'f')
        d = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        d = u - 'A' + 10;
    return d < base ? d : -1;
}

// "&#233;" or "&#x2014;" at `at`; the semicolon may be missing. Nothing when no digit follows.
std::optional<Found> numeric(const QString &text, qsizetype at)
{
    qsizetype i = at + 2;
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    const int base = hex ? 16 : 10;
    i += hex ? 1 : 0;
    const qsizetype digits = i;
    char32_t code = 0;
    for (int d; i < text.size() && (d = digitValue(text[i], base)) >= 0; ++i)
        code = std::min<char32_t>(code * base + char32_t(d), 0x110000);  // past the last character is past
    if (i == digits)
        return std::nullopt;
    if (i < text.size() && text[i] == u';')
        ++i;
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    else if (code >= 0x80 && code <= 0x9F)
        code = windows1252[code - 0x80];
    return Found{i, QString::fromUcs4(&code, 1)};
}

const Named *lookUp(std::string_view name)
{
    const std::span<const Named> all = named();
    const auto it = std::lower_bound(all.begin(), all.end(), name,
                                     [](const Named &n, std::string_view key) { return std::string_view(n.name) < key; });
    return it != all.end() && std::string_view(it->name) == name ? &*it : nullptr;
}

// "&eacute;" at `at`. Without its semicolon, the longest old name the letters begin with: "&notin"
// is "¬in", as a browser shows it.
std::optional<Found> namedAt(const QString &text, qsizetype at)
{
    char name[longestName + 1];
    qsizetype n = 0;
    qsizetype i = at + 1;
    for (; i < text.size() && n < longestName && text[i].unicode() < 0x80 && text[i].isLetterOrNumber(); ++i)
        name[n++] = char(text[i].unicode());
    if (i < text.size() && text[i] == u';') {
        name[n] = ';';
        if (const Named *r = lookUp(std::string_view(name, size_t(n + 1))))
            return Found{i + 1, QString::fromUtf8(r->value)};
    }
    for (qsizetype k = n; k > 0; --k) {
        if (const Named *r = lookUp(std::string_view(name, size_t(k))))
            return Found{at + 1 + k, QString::fromUtf8(r->value)};
    }
    return std::nullopt;
}

}  // namespace

QString resolve(const QString &text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (; amp >= 0; amp = text.indexOf(u'&', from)) {
        out += QStringView(text).sliced(from, amp - from);
        const bool number = amp + 1 < text.size() && text[amp + 1] == u'#';
        if (const auto found = number ? numeric(text, amp) : namedAt(text, amp)) {
            out += found->value;
            from = found->end;
        } else {
            out += u'&';
            from = amp + 1;
        }
    }
    out += QStringView(text).sliced(from);
    return out;
}

}  // namespace CharacterReferences

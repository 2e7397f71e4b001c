#include "subtitles/SubtitleMarkup.h"

#include "subtitles/CharacterReferences.h"

namespace SubtitleMarkup {

namespace {

// The drawing scale of the last "\p" tag in an override block, or -1 when it has none.
int drawingScale(QByteArrayView block)
{
    int scale = -1;
    for (qsizetype i = 0; i + 1 < block.size(); ++i) {
        if (block[i] != '\\' || block[i + 1] != 'p')
            continue;
        qsizetype j = i + 2;
        // "\pos(" and "\pbo" are other tags.
        if (j >= block.size() || block[j] < '0' || block[j] > '9')
            continue;
        int value = 0;
        while (j < block.size() && block[j] >= '0' && block[j] <= '9' && value < 1000)
            value = value * 10 + (block[j++] - '0');
        scale = value;
    }
    return scale;
}

// The next `close` at or after a place, found once for every place before it: a line of many openers
// and no closer stays linear.
class NextClose {
public:
    NextClose(QByteArrayView text, char close) : text_(text), close_(close) {}
    // Where the closer stands, or -1 when none follows.
    qsizetype from(qsizetype at)
    {
        if (found_ < at && found_ != text_.size()) {
            found_ = text_.indexOf(close_, at);
            if (found_ < 0)
                found_ = text_.size();
        }
        return found_ == text_.size() ? -1 : found_;
    }

private:
    QByteArrayView text_;
    char close_;
    qsizetype found_ = -1;
};

}  // namespace

QByteArray assText(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    // Blanks and breaks at either end go; a hard space is never trimmed, it is what authors indent with.
    qsizetype kept = 0;
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const auto add = [&](char c, bool hard) {
        if (!hard && blank(c)) {
            if (!out.isEmpty())
                out += c;
            return;
        }
        out += c;
        kept = out.size();
    };
    NextClose closing(text, '}');
    bool drawing = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            // An unclosed brace is text, as renderers show it.
            if (const qsizetype close = closing.from(i); close > 0) {
                const int scale = drawingScale(text.sliced(i + 1, close - i - 1));
                if (scale >= 0)
                    drawing = scale > 0;
                i = close;
                continue;
            }
        }
        if (drawing)
            continue;
        if (c == '\\' && i + 1 < text.size()) {
            // "\N" always breaks the line; "\n" only where wrapping needs it, which the overlay's own
            // wrapping decides, so it is a space.
            const char next = text[i + 1];
            if (next == 'N' || next == 'n' || next == 'h') {
                add(next == 'N' ? '\r' : ' ', next == 'h');
                ++i;
                continue;
            }
        }
        add(c, false);
    }
    out.truncate(kept);
    return out;
}

QByteArray withoutTags(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    NextClose closing(text, '>');
    // Ruby text is a reading aid over its base; shown on the same line it only garbles it.
    bool rubyText = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            if (const qsizetype close = closing.from(i); close > 0) {
                const QByteArrayView tag = text.sliced(i + 1, close - i - 1);
                qsizetype nameEnd = 0;
                while (nameEnd < tag.size() && tag[nameEnd] != '.' && tag[nameEnd] != ' ' && tag[nameEnd] != '\t')
                    ++nameEnd;
                const QLatin1String name(tag.first(nameEnd));
                if (name.compare(QLatin1String("rt"), Qt::CaseInsensitive) == 0)
                    rubyText = true;
                else if (name.compare(QLatin1String("/rt"), Qt::CaseInsensitive) == 0 ||
                         name.compare(QLatin1String("/ruby"), Qt::CaseInsensitive) == 0)
                    rubyText = false;
                i = close;
                continue;
            }
        }
        if (!rubyText)
            out += c;
    }
    return out;
}

QByteArray tagFreeText(QByteArrayView text)
{
    return CharacterReferences::resolve(QString::fromUtf8(withoutTags(text))).toUtf8();
}

}  // namespace SubtitleMarkup

#include "subtitles/SubtitleMarkup.h"

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

}  // namespace

QByteArray assText(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    bool drawing = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            const qsizetype close = text.sliced(i).indexOf('}');
            // An unclosed brace is text, as renderers show it.
            if (close > 0) {
                const int scale = drawingScale(text.sliced(i + 1, close - 1));
                if (scale >= 0)
                    drawing = scale > 0;
                i += close;
                continue;
            }
        }
        if (drawing)
            continue;
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'N' || next == 'n') {
                out += '\r';
                ++i;
                continue;
            }
            if (next == 'h') {
                out += ' ';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QByteArray tagFreeText(QByteArrayView text)
{
    static constexpr struct {
        const char *name;
        const char *value;
    } references[] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&nbsp;", " "}, {"&lrm;", ""}, {"&rlm;", ""}};
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            const qsizetype close = text.sliced(i).indexOf('>');
            if (close > 0) {
                i += close;
                continue;
            }
        }
        if (c == '&') {
            bool resolved = false;
            for (const auto &r : references) {
                if (text.sliced(i).startsWith(r.name)) {
                    out += r.value;
                    i += qsizetype(qstrlen(r.name)) - 1;
                    resolved = true;
                    break;
                }
            }
            if (resolved)
                continue;
        }
        out += c;
    }
    return out;
}

}  // namespace SubtitleMarkup

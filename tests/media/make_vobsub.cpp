// Writes a VobSub pair (NAME.idx, NAME.sub) of picture subtitles for the test media, since ffmpeg can
// turn no text into pictures. Each subtitle is a solid rectangle in a colour of its own, so a test finds
// it in the picture by its pixels.
//
//   make_vobsub NAME WIDTHxHEIGHT START-END:X,Y,W,H:RRGGBB [...]     times in milliseconds
//
// The .sub is an MPEG program stream: one pack per subtitle, holding a private-stream-1 packet (substream
// 0x20) with the subtitle unit: run-length coded lines, then a control sequence that shows it (palette,
// contrast, area, line offsets) and one that hides it at its end.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Sub {
    long startMs = 0, endMs = 0;
    int x = 0, y = 0, w = 0, h = 0;
    unsigned rgb = 0;
};

using Bytes = std::vector<uint8_t>;

void put16(Bytes &b, unsigned v)
{
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

// The subtitle unit: every line is one run "to the end of the line" in colour 1; both fields alike.
Bytes unit(const Sub &s, int colourIndex)
{
    Bytes lines;
    const int fieldLines = (s.h + 1) / 2;
    for (int i = 0; i < fieldLines; ++i) {
        lines.push_back(0x00);
        lines.push_back(0x01);
    }
    const unsigned top = 4, bottom = top;  // both fields read the same lines
    Bytes u(4);
    u.insert(u.end(), lines.begin(), lines.end());
    const unsigned show = unsigned(u.size());
    // The show sequence, then the hide sequence that it links to.
    const unsigned hide = show + 4 + 1 + 3 + 3 + 7 + 5 + 1;
    put16(u, 0);
    put16(u, hide);
    u.push_back(0x01);  // show
    u.push_back(0x03);  // palette: pixel 1 takes the colour, the rest colour 0
    put16(u, unsigned(colourIndex) << 4);
    u.push_back(0x04);  // contrast: pixel 1 opaque, the rest clear
    put16(u, 0x00F0);
    u.push_back(0x05);  // area: x1, x2, y1, y2 in 12 bits each
    const unsigned x1 = unsigned(s.x), x2 = unsigned(s.x + s.w - 1), y1 = unsigned(s.y), y2 = unsigned(s.y + s.h - 1);
    u.push_back(uint8_t(x1 >> 4));
    u.push_back(uint8_t(((x1 & 15) << 4) | (x2 >> 8)));
    u.push_back(uint8_t(x2));
    u.push_back(uint8_t(y1 >> 4));
    u.push_back(uint8_t(((y1 & 15) << 4) | (y2 >> 8)));
    u.push_back(uint8_t(y2));
    u.push_back(0x06);  // line offsets of the two fields
    put16(u, top);
    put16(u, bottom);
    u.push_back(0xFF);
    // Hide, in ticks of 1024/90000 s after the start.
    const long ticks = (s.endMs - s.startMs) * 90 / 1024;
    put16(u, unsigned(ticks));
    put16(u, hide);
    u.push_back(0x02);
    u.push_back(0xFF);
    u[0] = uint8_t(u.size() >> 8);
    u[1] = uint8_t(u.size());
    u[2] = uint8_t(show >> 8);
    u[3] = uint8_t(show);
    return u;
}

void timeStamp(Bytes &b, uint8_t prefix, uint64_t t)
{
    b.push_back(uint8_t(prefix | ((t >> 29) & 0x0E) | 1));
    put16(b, unsigned(((t >> 14) & 0xFFFE) | 1));
    put16(b, unsigned(((t << 1) & 0xFFFE) | 1));
}

// A pack header (MPEG-2) and the private-stream-1 packet carrying `payload` at `ms`.
Bytes pack(const Bytes &payload, long ms)
{
    const uint64_t pts = uint64_t(ms) * 90;
    Bytes b{0x00, 0x00, 0x01, 0xBA};
    // The clock reference: the same time, no extension; mux rate and no stuffing.
    b.push_back(uint8_t(0x44 | ((pts >> 27) & 0x38) | ((pts >> 28) & 0x03)));
    b.push_back(uint8_t(pts >> 20));
    b.push_back(uint8_t(((pts >> 12) & 0xF8) | 0x04 | ((pts >> 13) & 0x03)));
    b.push_back(uint8_t(pts >> 5));
    b.push_back(uint8_t(((pts << 3) & 0xF8) | 0x04));
    b.push_back(0x01);
    b.insert(b.end(), {0x01, 0x89, 0xC3, 0xF8});
    b.insert(b.end(), {0x00, 0x00, 0x01, 0xBD});
    put16(b, unsigned(3 + 5 + 1 + payload.size()));
    b.push_back(0x81);
    b.push_back(0x80);  // a PTS follows
    b.push_back(5);
    timeStamp(b, 0x20, pts);
    b.push_back(0x20);  // substream: the first subtitle track
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

bool parse(const char *arg, Sub &s)
{
    unsigned rgb = 0;
    if (std::sscanf(arg, "%ld-%ld:%d,%d,%d,%d:%6x", &s.startMs, &s.endMs, &s.x, &s.y, &s.w, &s.h, &rgb) != 7)
        return false;
    s.rgb = rgb;
    return s.endMs > s.startMs && s.w > 0 && s.h > 0 && s.x >= 0 && s.y >= 0 && s.x + s.w <= 4096 && s.y + s.h <= 4096;
}

}  // namespace

int main(int argc, char **argv)
{
    int width = 0, height = 0;
    if (argc < 4 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "usage: make_vobsub NAME WIDTHxHEIGHT START-END:X,Y,W,H:RRGGBB ...\n");
        return 2;
    }
    std::vector<Sub> subs;
    for (int i = 3; i < argc; ++i) {
        Sub s;
        if (!parse(argv[i], s)) {
            std::fprintf(stderr, "make_vobsub: cannot read %s\n", argv[i]);
            return 2;
        }
        subs.push_back(s);
    }
    if (subs.size() > 15) {
        std::fprintf(stderr, "make_vobsub: at most 15 subtitles, one palette colour each\n");
        return 2;
    }
    const std::string name = argv[1];
    std::ofstream sub(name + ".sub", std::ios::binary);
    std::ofstream idx(name + ".idx");
    std::vector<unsigned> palette(16, 0);
    std::string index;
    long at = 0;
    for (size_t i = 0; i < subs.size(); ++i) {
        palette[i + 1] = subs[i].rgb;
        const Bytes b = pack(unit(subs[i], int(i + 1)), subs[i].startMs);
        const long ms = subs[i].startMs;
        char line[96];
        std::snprintf(line, sizeof line, "timestamp: %02ld:%02ld:%02ld:%03ld, filepos: %09lX\n", ms / 3600000,
                      ms / 60000 % 60, ms / 1000 % 60, ms % 1000, at);
        index += line;
        sub.write(reinterpret_cast<const char *>(b.data()), std::streamsize(b.size()));
        at += long(b.size());
    }
    idx << "# VobSub index file, v7 (do not modify this line!)\n";
    idx << "size: " << width << "x" << height << "\n";
    idx << "palette: ";
    for (size_t i = 0; i < palette.size(); ++i) {
        char c[8];
        std::snprintf(c, sizeof c, "%06x", palette[i]);
        idx << c << (i + 1 < palette.size() ? ", " : "\n");
    }
    idx << "\nid: en, index: 0\n" << index;
    return sub && idx ? 0 : 1;
}

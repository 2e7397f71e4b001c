// Draws the panel's built-in picture, 473 x 125 pixels, to the panel's control layout (15 twips per
// pixel), and the same at twice the size for screens with two device pixels to a pixel:
//   draw_skin src/windows/playback/skin/builtin.jpg && draw_skin src/windows/playback/skin/builtin@2x.jpg 2
// and commit both.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
// A rectangle given in panel twips, in picture pixels.
QRectF tw(double l, double t, double w, double h)
{
    return QRectF(l / 15.0, t / 15.0, w / 15.0, h / 15.0);
}

void recess(QPainter &p, const QRectF &r, double radius, const QColor &fill)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, fill);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.drawLine(r.topLeft() + QPointF(radius, 0.5), r.topRight() + QPointF(-radius, 0.5));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(r.bottomLeft() + QPointF(radius, -0.5), r.bottomRight() + QPointF(-radius, -0.5));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void lcd(QPainter &p, const QRectF &r, double radius)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xa8, 0xd0, 0x8c));
    g.setColorAt(1, QColor(0x86, 0xb4, 0x6c));
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(0x1c, 0x2a, 0x14), 1.2));
    p.drawPath(path);
    p.setPen(QPen(QColor(0xc8, 0xe8, 0xb0, 120), 1));
    p.drawLine(r.topLeft() + QPointF(radius, 1.5), r.topRight() + QPointF(-radius, 1.5));
}

void buttonFace(QPainter &p, const QRectF &r, bool green)
{
    const QRectF face = r.adjusted(-3, -2, 3, 2);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    if (green) {
        g.setColorAt(0, QColor(0x9c, 0xcc, 0x7c));
        g.setColorAt(0.5, QColor(0x78, 0xac, 0x5c));
        g.setColorAt(1, QColor(0x4c, 0x7c, 0x38));
    } else {
        g.setColorAt(0, QColor(0x5a, 0x60, 0x68));
        g.setColorAt(0.5, QColor(0x3a, 0x3f, 0x46));
        g.setColorAt(1, QColor(0x24, 0x27, 0x2c));
    }
    QPainterPath path;
    path.addRoundedRect(face, 3, 3);
    p.setPen(Qt::NoPen);
    p.fillPath(path.translated(0, 1), QColor(0, 0, 0, 150));
    p.fillPath(path, g);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(face.topLeft() + QPointF(3, 0.5), face.topRight() + QPointF(-3, 0.5));
    p.setPen(QPen(QColor(0, 0, 0, 180), 1));
    p.drawPath(path);
}
}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("builtin.jpg");
    const int scale = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 1;

    QImage img(473 * scale, 125 * scale, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    // The face: brushed dark metal with a bevelled edge.
    const QRectF body(1, 1, 471, 123);
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(0x3c, 0x41, 0x48));
    metal.setColorAt(0.45, QColor(0x26, 0x2a, 0x30));
    metal.setColorAt(1, QColor(0x15, 0x17, 0x1b));
    QPainterPath bodyPath;
    bodyPath.addRoundedRect(body, 9, 9);
    p.fillPath(bodyPath, metal);
    for (int y = 4; y < 121; y += 2)
        p.fillRect(QRectF(8, y, 457, 1), QColor(255, 255, 255, (y % 4) ? 5 : 9));
    p.setPen(QPen(QColor(0x70, 0x78, 0x82), 1.2));
    p.drawPath(bodyPath);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawRoundedRect(body.adjusted(2, 2, -2, -2), 7, 7);

    // Rate slider area at the left end, volume at the right.
    recess(p, tw(120, 330, 555, 1020), 5, QColor(0x12, 0x14, 0x17));
    recess(p, tw(6405, 255, 600, 1080), 5, QColor(0x12, 0x14, 0x17));
    p.setPen(QPen(QColor(0x50, 0x56, 0x5e), 1));
    for (int i = 0; i <= 10; ++i) {
        const double y = (540 + i * 61) / 15.0;
        p.drawLine(QPointF(38.5, y), QPointF(41.5, y));
    }
    for (int i = 0; i <= 10; ++i) {
        const double y = (420 + i * 66) / 15.0;
        p.drawLine(QPointF(450.5, y), QPointF(453.5, y));
    }

    // The display window behind the file names and messages, and the two small fields beside it.
    lcd(p, tw(1710, 255, 3570, 735), 4);
    lcd(p, tw(5460, 435, 855, 345), 3);
    lcd(p, tw(5490, 765, 795, 225), 3);

    // Name plate over the about spot.
    QFont logo(QStringLiteral("DejaVu Sans"));
    logo.setPixelSize(10);
    logo.setBold(true);
    logo.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(logo);
    p.setPen(QColor(0xd8, 0xdc, 0xe0));
    p.drawText(tw(420, 210, 1200, 180), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VISTREL"));

    // Position track groove.
    recess(p, tw(930, 1125, 5175, 165), 3, QColor(0x0c, 0x0d, 0x10));

    // The row of button faces along the bottom; the three file buttons are green.
    struct Face { double l, w; bool green; };
    const Face faces[] = {{1320, 375, false}, {1860, 375, false}, {2340, 375, false}, {2880, 375, false},
                          {3420, 375, false}, {3900, 375, false}, {4560, 375, true},  {5100, 435, true},
                          {5700, 435, true}};
    for (const Face &f : faces)
        buttonFace(p, tw(f.l, 1560, f.w, 195), f.green);

    // The disc button: a small disc on a face.
    const QRectF cd = tw(660, 1560, 375, 255);
    buttonFace(p, cd, false);
    QRadialGradient disc(cd.center(), 7);
    disc.setColorAt(0, QColor(0xe8, 0xec, 0xf0));
    disc.setColorAt(0.6, QColor(0x98, 0xa8, 0xc0));
    disc.setColorAt(1, QColor(0x60, 0x68, 0x78));
    p.setBrush(disc);
    p.setPen(QPen(QColor(0x20, 0x22, 0x28), 0.8));
    p.drawEllipse(cd.center(), 7, 7);
    p.setBrush(QColor(0x26, 0x2a, 0x30));
    p.drawEllipse(cd.center(), 1.8, 1.8);

    // Minimise and close faces at the top right.
    buttonFace(p, tw(6150, 75, 195, 165), false);
    buttonFace(p, tw(6450, 90, 255, 165), false);
    p.end();

    return img.save(out, "JPG", 92) ? 0 : 1;
}

// Draws every picture the game shows: the creature's body, its eye and mouth
// tiles, the toy-dog animation and the window icons.
//
//   draw_art <dir>                      writes all pictures into <dir>, each at
//                                       1x and, as name@2x, at 2x for screens
//                                       with twice the pixel density
//   draw_art --preview <out.png> <dir>  lays the written pictures out the way
//                                       the game shows them, enlarged, to check
//
// The game lays the eye and mouth tiles over the body at fixed offsets, so the
// tiles are cut out of the very same rendering as the body: the face area is
// left plain grey, and a tile is that patch of body pixels with the features
// drawn in. Whatever shading lies under the face therefore continues across
// the tile border without a seam.
//
// Only QImage and QPainter are used (no text), so a QCoreApplication is enough
// and the tool runs without a display.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <cmath>
#include <cstdio>

namespace {

// Where the game puts the face tiles on a 150x150 body frame.
constexpr int kFrame = 150;
const QRect kEyeRect(37, 27, 80, 30);
const QRect kMouthRect(48, 57, 45, 15);
constexpr int kGagFrames = 11;
constexpr int kJpegQuality = 95;

const QColor kBackground(0xF7, 0xC6, 0xD9);
const QColor kOutline(0x5E, 0x5C, 0x68);
const QColor kInk(0x2F, 0x2A, 0x38);

// The head is one big ellipse; everything on the face is placed from it.
const QPointF kHeadCentre(77.0, 56.0);
constexpr qreal kHeadRx = 58.0;
constexpr qreal kHeadRy = 46.0;
constexpr qreal kHeadRoundness = 2.35;

// Eye and mouth centres in body coordinates. The mouth tile is not centred
// on the head, so the mouth sits off-centre inside its tile.
const QPointF kLeftEye(59.0, 42.0);
const QPointF kRightEye(95.0, 42.0);
const QPointF kMouth(77.0, 64.0);

QRadialGradient greySkin(QPointF centre, qreal radius)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, QColor(0xD2, 0xD2, 0xDA));
    g.setColorAt(0.55, QColor(0xB2, 0xB2, 0xBC));
    g.setColorAt(1.0, QColor(0x92, 0x92, 0x9E));
    return g;
}

void fillOutlined(QPainter &p, const QPainterPath &path, const QBrush &brush, qreal penWidth,
                  const QColor &pen = kOutline)
{
    p.setPen(QPen(pen, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(brush);
    p.drawPath(path);
}

QPainterPath ellipsePath(QPointF c, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

// A slightly squarish ellipse (superellipse): fuller cheeks than a plain
// ellipse, so the wide head reads as a soft bun rather than a balloon.
QPainterPath bunPath(QPointF c, qreal rx, qreal ry, qreal n)
{
    QPainterPath path;
    constexpr int steps = 240;
    for (int k = 0; k <= steps; ++k) {
        const qreal t = 2.0 * M_PI * k / steps;
        const qreal ct = qCos(t), st = qSin(t);
        const QPointF pt(c.x() + rx * std::copysign(std::pow(std::abs(ct), 2.0 / n), ct),
                         c.y() + ry * std::copysign(std::pow(std::abs(st), 2.0 / n), st));
        if (k == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath rotated(const QPainterPath &path, QPointF around, qreal degrees)
{
    QTransform t;
    t.translate(around.x(), around.y());
    t.rotate(degrees);
    t.translate(-around.x(), -around.y());
    return t.map(path);
}

// lw scales every outline; the small icons need thicker lines to read.
void drawHead(QPainter &p, qreal lw)
{
    // The antenna goes first so the head's outline covers its root.
    QPainterPath stalk;
    stalk.moveTo(78.0, 14.0);
    stalk.cubicTo(78.5, 9.0, 81.0, 7.0, 84.0, 5.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 2.0 * lw, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stalk);
    QRadialGradient bulb(QPointF(85.0, 3.2), 4.0);
    bulb.setColorAt(0.0, QColor(0xFF, 0xF4, 0xB8));
    bulb.setColorAt(1.0, QColor(0xFF, 0xC8, 0x3D));
    fillOutlined(p, ellipsePath(QPointF(86.0, 4.2), 3.4, 3.4), bulb, 1.4 * lw, QColor(0xB0, 0x7A, 0x1C));

    fillOutlined(p, bunPath(kHeadCentre, kHeadRx, kHeadRy, kHeadRoundness), greySkin(QPointF(60.0, 34.0), 86.0),
                 2.0 * lw);

    // A soft sheen on the crown, kept above the eye tile so it is baked into
    // the body only.
    QRadialGradient sheen(QPointF(54.0, 21.0), 14.0);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 120));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(QPointF(54.0, 21.0), 16.0, 6.5);

    // Rosy cheeks, just outside the eye and mouth tiles.
    for (qreal x : {38.5, 115.5}) {
        QRadialGradient blush(QPointF(x, 66.0), 8.0);
        blush.setColorAt(0.0, QColor(0xFF, 0x86, 0xA8, 170));
        blush.setColorAt(0.6, QColor(0xFF, 0x9A, 0xB6, 90));
        blush.setColorAt(1.0, QColor(0xFF, 0xA8, 0xC0, 0));
        QTransform squash;
        squash.translate(x, 66.0);
        squash.scale(1.0, 0.62);
        squash.translate(-x, -66.0);
        p.setBrush(blush);
        p.drawPath(squash.map(ellipsePath(QPointF(x, 66.0), 8.0, 8.0)));
    }
}

void drawCreature(QPainter &p)
{
    const QRadialGradient bodySkin = greySkin(QPointF(70.0, 104.0), 40.0);

    // Legs and feet first: the round body overlaps their tops.
    for (qreal x : {69.0, 85.0}) {
        QPainterPath leg;
        leg.addRoundedRect(QRectF(x - 6.0, 124.0, 12.0, 18.0), 5.0, 5.0);
        fillOutlined(p, leg, bodySkin, 2.0);
    }
    for (qreal x : {67.5, 86.5}) {
        fillOutlined(p, ellipsePath(QPointF(x, 141.5), 8.5, 4.6), bodySkin, 2.0);
    }

    // Stubby arms hang outward from behind the body.
    fillOutlined(p, rotated(ellipsePath(QPointF(51.0, 117.0), 10.0, 6.2), QPointF(51.0, 117.0), -40.0), bodySkin, 2.0);
    fillOutlined(p, rotated(ellipsePath(QPointF(103.0, 117.0), 10.0, 6.2), QPointF(103.0, 117.0), 40.0), bodySkin, 2.0);

    fillOutlined(p, ellipsePath(QPointF(77.0, 115.0), 25.0, 19.5), bodySkin, 2.0);

    QRadialGradient belly(QPointF(77.0, 120.0), 13.0);
    belly.setColorAt(0.0, QColor(0xE4, 0xE4, 0xEA, 200));
    belly.setColorAt(1.0, QColor(0xE4, 0xE4, 0xEA, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(belly);
    p.drawEllipse(QPointF(77.0, 120.0), 13.0, 10.0);

    drawHead(p, 1.0);
}

// --- face features, drawn in body coordinates --------------------------------

void drawEyeBall(QPainter &p, QPointF c, qreal rx, qreal ry)
{
    QRadialGradient iris(QPointF(c.x(), c.y() + ry * 0.55), ry * 1.25);
    iris.setColorAt(0.0, QColor(0x5A, 0x4F, 0x78));
    iris.setColorAt(0.6, QColor(0x2E, 0x28, 0x40));
    iris.setColorAt(1.0, QColor(0x1C, 0x18, 0x26));
    p.setPen(Qt::NoPen);
    p.setBrush(iris);
    p.drawEllipse(c, rx, ry);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x() + rx * 0.30, c.y() - ry * 0.38), rx * 0.40, rx * 0.40);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(c.x() - rx * 0.35, c.y() + ry * 0.42), rx * 0.18, rx * 0.18);
}

enum class Eyes { Open, Half, Closed };
enum class Mouth { Closed, Open, Teeth };

void drawEyes(QPainter &p, Eyes eyes)
{
    constexpr qreal rx = 8.5, ry = 10.5;
    for (QPointF c : {kLeftEye, kRightEye}) {
        switch (eyes) {
        case Eyes::Open:
            drawEyeBall(p, c, rx, ry);
            break;
        case Eyes::Half: {
            // The upper lid has come down to just above the middle: the grey
            // above the lid line is simply the head showing through.
            const qreal lidY = c.y() - 0.5;
            QPainterPath lid;
            lid.moveTo(c.x() - rx - 1.5, lidY + 1.2);
            lid.quadTo(c.x(), lidY - 2.2, c.x() + rx + 1.5, lidY + 1.2);
            QPainterPath below = lid;
            below.lineTo(c.x() + rx + 2.0, c.y() + ry + 2.0);
            below.lineTo(c.x() - rx - 2.0, c.y() + ry + 2.0);
            below.closeSubpath();
            p.save();
            p.setClipPath(below);
            drawEyeBall(p, QPointF(c.x(), c.y() + 0.5), rx, ry - 0.5);
            p.restore();
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(lid);
            break;
        }
        case Eyes::Closed: {
            QPainterPath arc;
            arc.moveTo(c.x() - rx, c.y() + 1.0);
            arc.quadTo(c.x(), c.y() + 8.5, c.x() + rx, c.y() + 1.0);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arc);
            break;
        }
        }
    }
}

void drawMouth(QPainter &p, Mouth mouth)
{
    const QColor lip(0x4A, 0x34, 0x44);
    const qreal x = kMouth.x(), y = kMouth.y();
    switch (mouth) {
    case Mouth::Closed: {
        QPainterPath smile;
        smile.moveTo(x - 6.0, y - 1.5);
        smile.quadTo(x, y + 3.5, x + 6.0, y - 1.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(lip, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(smile);
        break;
    }
    case Mouth::Open: {
        const QPainterPath oval = ellipsePath(QPointF(x, y + 0.5), 5.5, 5.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5A, 0x25, 0x38));
        p.drawPath(oval);
        p.save();
        p.setClipPath(oval);
        p.setBrush(QColor(0xEE, 0x7E, 0x98));
        p.drawEllipse(QPointF(x, y + 5.0), 4.2, 2.8);
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(lip, 1.5));
        p.drawPath(oval);
        break;
    }
    case Mouth::Teeth: {
        // A wide grimace of clenched teeth: a white band split into a top and
        // a bottom row, wider at the corners like a snarl.
        QPainterPath grin;
        grin.moveTo(x - 11.5, y - 2.5);
        grin.quadTo(x, y - 5.5, x + 11.5, y - 2.5);
        grin.quadTo(x + 13.0, y + 1.0, x + 11.0, y + 4.0);
        grin.quadTo(x, y + 5.5, x - 11.0, y + 4.0);
        grin.quadTo(x - 13.0, y + 1.0, x - 11.5, y - 2.5);
        grin.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5A, 0x25, 0x38));
        p.drawPath(grin);
        p.save();
        p.setClipPath(grin);
        p.setBrush(Qt::white);
        QPainterPath top;
        top.addRect(QRectF(x - 14.0, y - 7.0, 28.0, 6.7));
        QPainterPath bottom;
        bottom.addRect(QRectF(x - 14.0, y + 0.9, 28.0, 6.0));
        p.drawPath(top.intersected(ellipsePath(QPointF(x, y + 8.0), 11.0, 14.0)));
        p.drawPath(bottom.intersected(ellipsePath(QPointF(x, y - 4.0), 10.5, 10.0)));
        p.setPen(QPen(QColor(0xA8, 0x98, 0xA4), 1.0));
        for (qreal dx : {-6.0, 0.0, 6.0})
            p.drawLine(QPointF(x + dx, y - 6.0), QPointF(x + dx, y + 6.0));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(lip, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(grin);
        break;
    }
    }
}

// --- the toy dog --------------------------------------------------------------

// Extent of the dog drawing in its own x coordinates (nose to tail tip).
constexpr qreal kDogLeft = -1.5;
constexpr qreal kDogRight = 46.0;

void drawWheel(QPainter &p, QPointF c, qreal r, qreal angle, bool far)
{
    const QColor rim = far ? QColor(0xC9, 0x93, 0x1E) : QColor(0xFF, 0xC8, 0x3D);
    fillOutlined(p, ellipsePath(c, r, r), rim, 1.3, QColor(0x7A, 0x55, 0x18));
    if (far)
        return;
    p.setPen(QPen(QColor(0x7A, 0x55, 0x18), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 2; ++k) {
        const qreal a = angle + k * M_PI / 2.0;
        const QPointF d(qCos(a) * (r - 1.0), qSin(a) * (r - 1.0));
        p.drawLine(c - d, c + d);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0x44, 0x3E));
    p.drawEllipse(c, 1.3, 1.3);
}

// x0 is the dog's own origin in frame coordinates; it faces and rolls left.
void drawDog(QPainter &p, qreal x0, qreal wheelAngle)
{
    p.save();
    p.translate(x0, 0.0);

    const QColor brown(0x8A, 0x5A, 0x3A);
    const QColor cream(0xFF, 0xF4, 0xE0);
    const QColor creamShade(0xE8, 0xD6, 0xBC);
    const QColor spot(0xC9, 0x8A, 0x55);

    drawWheel(p, QPointF(15.0, 142.8), 4.0, wheelAngle, true);
    drawWheel(p, QPointF(38.0, 142.8), 4.0, wheelAngle, true);

    // Far legs, a shade darker, then the near ones.
    for (qreal x : {17.0, 35.0}) {
        QPainterPath leg;
        leg.addRoundedRect(QRectF(x - 2.5, 127.0, 5.0, 9.5), 2.0, 2.0);
        fillOutlined(p, leg, creamShade, 1.2, brown);
    }

    QPainterPath base;
    base.addRoundedRect(QRectF(5.0, 135.0, 37.0, 5.5), 2.2, 2.2);
    fillOutlined(p, base, QColor(0x6E, 0xB5, 0xF0), 1.3, QColor(0x34, 0x6A, 0x9C));

    for (qreal x : {13.5, 31.5}) {
        QPainterPath leg;
        leg.addRoundedRect(QRectF(x - 2.7, 127.0, 5.4, 9.5), 2.0, 2.0);
        fillOutlined(p, leg, cream, 1.2, brown);
    }

    drawWheel(p, QPointF(11.5, 143.5), 4.2, wheelAngle, false);
    drawWheel(p, QPointF(34.5, 143.5), 4.2, wheelAngle, false);

    // Tail, wagging up behind.
    QPainterPath tail;
    tail.moveTo(38.5, 122.0);
    tail.quadTo(44.0, 121.0, 44.5, 113.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(brown, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(cream, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);

    QPainterPath body;
    body.addRoundedRect(QRectF(9.0, 117.5, 32.0, 14.5), 7.0, 7.0);
    fillOutlined(p, body, cream, 1.4, brown);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(QPointF(30.0, 120.5), 6.0, 4.5);
    p.restore();

    // Wind-up key on the back.
    p.setPen(QPen(QColor(0x9A, 0x6E, 0x12), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25.0, 117.5), QPointF(25.0, 113.5));
    for (qreal x : {22.2, 27.8})
        fillOutlined(p, ellipsePath(QPointF(x, 111.8), 2.6, 2.0), QColor(0xF2, 0xC1, 0x4E), 1.0,
                     QColor(0x9A, 0x6E, 0x12));

    // Head, snout and floppy ear.
    fillOutlined(p, ellipsePath(QPointF(12.5, 116.0), 8.3, 7.8), cream, 1.4, brown);
    fillOutlined(p, ellipsePath(QPointF(5.0, 119.5), 5.2, 3.8), cream, 1.4, brown);
    p.setPen(Qt::NoPen);
    p.setBrush(cream);
    p.drawEllipse(QPointF(8.5, 118.0), 4.2, 3.2); // blends snout into head

    // Red collar with a little bell, under the ear.
    QPainterPath collar;
    collar.moveTo(13.5, 123.4);
    collar.quadTo(18.5, 123.8, 21.0, 118.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE0, 0x44, 0x3E), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(collar);
    fillOutlined(p, ellipsePath(QPointF(16.5, 125.4), 1.8, 1.8), QColor(0xF2, 0xC1, 0x4E), 0.9,
                 QColor(0x9A, 0x6E, 0x12));

    QPainterPath ear;
    ear.moveTo(14.0, 109.5);
    ear.cubicTo(20.5, 108.0, 23.0, 116.0, 19.5, 121.0);
    ear.cubicTo(17.0, 123.0, 14.5, 119.0, 14.8, 115.0);
    ear.closeSubpath();
    fillOutlined(p, ear, spot, 1.2, brown);

    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(0.4, 118.6), 2.0, 1.7); // nose
    p.drawEllipse(QPointF(9.0, 114.2), 1.5, 1.7); // eye
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(9.4, 113.6), 0.55, 0.55);
    p.setBrush(QColor(0xFF, 0x8F, 0xAE, 160));
    p.drawEllipse(QPointF(9.5, 120.0), 2.0, 1.3); // blush

    p.restore();
}

// --- pictures ----------------------------------------------------------------

QImage blankFrame(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kBackground);
    return img;
}

QImage renderBody(int scale)
{
    QImage img = blankFrame(kFrame * scale, kFrame * scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawCreature(p);
    return img;
}

// Cuts a face tile out of the body and draws a feature into it.
template <typename Draw>
QImage faceTile(const QImage &body, const QRect &rect, int scale, Draw draw)
{
    QImage tile = body.copy(QRect(rect.topLeft() * scale, rect.size() * scale));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.translate(-rect.topLeft());
    draw(p);
    return tile;
}

QImage renderAction(const QImage &body, int index, int scale)
{
    // Nose just in at the right edge on the first frame, tail just left at
    // the left edge on the last, a steady step in between.
    constexpr qreal startX = kFrame - 13.0 - kDogLeft;
    constexpr qreal endX = 13.0 - kDogRight;
    const qreal step = (startX - endX) / (kGagFrames - 1);
    const qreal x0 = startX - index * step;
    const qreal rolled = (startX - x0) / 4.2;

    QImage img = body;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawDog(p, x0, -rolled);
    return img;
}

// An icon of size x size points at scale pixels per point: the line weights
// follow the size in points, so the 2x icon is the 1x one, only sharper.
QImage renderIcon(int size, int scale)
{
    QImage img(size * scale, size * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    const qreal s = size / 256.0;
    QPainterPath card;
    card.addRoundedRect(QRectF(4 * s, 4 * s, 248 * s, 248 * s), 52 * s, 52 * s);
    QLinearGradient pink(0, 0, 0, size);
    pink.setColorAt(0.0, QColor(0xFB, 0xD8, 0xE6));
    pink.setColorAt(1.0, QColor(0xF2, 0xAE, 0xC8));
    p.setPen(QPen(QColor(0xE0, 0x8A, 0xAC), qMax(1.0, 4.0 * s)));
    p.setBrush(pink);
    p.drawPath(card);

    // The head spans x 16..138 and y 0..102 in body coordinates; fit it
    // into the card with a margin. Small icons get bolder lines.
    const qreal lw = size <= 32 ? 2.2 : size <= 64 ? 1.5 : 1.0;
    const qreal fit = (size * 0.86) / 126.0;
    p.translate(size / 2.0, size * 0.535);
    p.scale(fit, fit);
    p.translate(-kHeadCentre.x(), -kHeadCentre.y() + 2.0);
    drawHead(p, lw);
    // At icon size the face would be a few dots; enlarge it about its middle.
    const qreal faceScale = size <= 32 ? 1.4 : size <= 64 ? 1.25 : 1.12;
    const QPointF faceMiddle(kHeadCentre.x(), 50.0);
    p.translate(faceMiddle);
    p.scale(faceScale, faceScale);
    p.translate(-faceMiddle);
    drawEyes(p, Eyes::Open);
    drawMouth(p, Mouth::Closed);
    return img;
}

bool save(const QImage &img, const QString &dir, const QString &name)
{
    const QString path = QDir(dir).filePath(name);
    const bool jpeg = name.endsWith(QLatin1String(".jpg"));
    const bool ok = jpeg ? img.convertToFormat(QImage::Format_RGB32).save(path, "JPG", kJpegQuality)
                         : img.save(path, "PNG");
    if (!ok)
        std::fprintf(stderr, "draw_art: cannot write %s\n", qPrintable(path));
    return ok;
}

int writeAll(const QString &dir)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "draw_art: cannot create %s\n", qPrintable(dir));
        return 1;
    }
    bool ok = true;
    for (int scale : {1, 2}) {
        // name.jpg at 1x, name@2x.jpg at 2x.
        auto named = [scale](const QString &name) {
            if (scale == 1)
                return name;
            const qsizetype dot = name.lastIndexOf(u'.');
            return name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
        };
        const QImage body = renderBody(scale);
        ok &= save(body, dir, named(QStringLiteral("body.jpg")));

        const struct {
            Eyes eyes;
            const char *name;
        } eyeTiles[] = {{Eyes::Open, "eye_open.jpg"}, {Eyes::Half, "eye_half.jpg"}, {Eyes::Closed, "eye_closed.jpg"}};
        for (const auto &t : eyeTiles)
            ok &= save(faceTile(body, kEyeRect, scale, [&](QPainter &p) { drawEyes(p, t.eyes); }), dir,
                       named(QLatin1String(t.name)));

        const struct {
            Mouth mouth;
            const char *name;
        } mouthTiles[] = {
            {Mouth::Closed, "mouth_closed.jpg"}, {Mouth::Open, "mouth_open.jpg"}, {Mouth::Teeth, "mouth_teeth.jpg"}};
        for (const auto &t : mouthTiles)
            ok &= save(faceTile(body, kMouthRect, scale, [&](QPainter &p) { drawMouth(p, t.mouth); }), dir,
                       named(QLatin1String(t.name)));

        for (int k = 0; k < kGagFrames; ++k)
            ok &= save(renderAction(body, k, scale), dir,
                       named(QStringLiteral("action%1.jpg").arg(k + 1, 2, 10, QLatin1Char('0'))));

        // The sizes of the desktop's icon theme; the windows use 32 and 64.
        for (int size : {16, 32, 48, 64, 128, 256})
            ok &= save(renderIcon(size, scale), dir, named(QStringLiteral("icon%1.png").arg(size)));
    }
    return ok ? 0 : 1;
}

// Reads the written pictures back and shows them as the game does: each body
// frame in a 2-px border with an eye and a mouth tile on top, enlarged 3x.
int writePreview(const QString &out, const QString &dir)
{
    auto load = [&](const QString &name) {
        QImage img(QDir(dir).filePath(name));
        if (img.isNull())
            std::fprintf(stderr, "draw_art: cannot read %s\n", qPrintable(name));
        return img;
    };
    constexpr int zoom = 3;
    constexpr int cell = (kFrame + 4) * zoom + 12;

    QStringList frames{QStringLiteral("body.jpg")};
    for (int k = 1; k <= kGagFrames; ++k)
        frames << QStringLiteral("action%1.jpg").arg(k, 2, 10, QLatin1Char('0'));
    const QStringList eyes{QStringLiteral("eye_open.jpg"), QStringLiteral("eye_half.jpg"),
                           QStringLiteral("eye_closed.jpg")};
    const QStringList mouths{QStringLiteral("mouth_closed.jpg"), QStringLiteral("mouth_open.jpg"),
                             QStringLiteral("mouth_teeth.jpg")};

    // Four rows of action frames, then one row of face variants and icons.
    constexpr int cols = 4;
    const int rows = (int(frames.size()) + cols - 1) / cols + 1;
    QImage sheet(cols * cell, rows * cell, QImage::Format_RGB32);
    sheet.fill(QColor(0x40, 0x40, 0x48));
    QPainter p(&sheet);

    auto composed = [&](const QString &frame, const QString &eye, const QString &mouth) {
        QImage shown(kFrame + 4, kFrame + 4, QImage::Format_RGB32);
        shown.fill(Qt::black);
        QPainter q(&shown);
        q.drawImage(2, 2, load(frame));
        q.drawImage(2 + kEyeRect.x(), 2 + kEyeRect.y(), load(eye));
        q.drawImage(2 + kMouthRect.x(), 2 + kMouthRect.y(), load(mouth));
        q.end();
        return shown.scaled(shown.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };

    for (int k = 0; k < frames.size(); ++k)
        p.drawImage((k % cols) * cell + 6, (k / cols) * cell + 6, composed(frames[k], eyes[0], mouths[0]));

    // Last row: half eyes + open mouth, closed eyes + teeth, then the icons.
    const int y = (rows - 1) * cell + 6;
    p.drawImage(6, y, composed(frames[0], eyes[1], mouths[1]));
    p.drawImage(cell + 6, y, composed(frames[0], eyes[2], mouths[2]));
    int x = 2 * cell + 6;
    for (int size : {256, 64, 32}) {
        p.drawImage(x, y, load(QStringLiteral("icon%1.png").arg(size)));
        x += size + 12;
    }
    p.drawImage(2 * cell + 6, y + 270, load(QStringLiteral("icon32.png")).scaled(128, 128));
    p.drawImage(2 * cell + 146, y + 270, load(QStringLiteral("icon64.png")).scaled(128, 128));
    p.end();
    if (!sheet.save(out)) {
        std::fprintf(stderr, "draw_art: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--preview"))
        return writePreview(args[2], args[3]);
    if (args.size() == 2 && !args[1].startsWith(QLatin1String("--")))
        return writeAll(args[1]);
    std::fprintf(stderr, "usage: draw_art <dir>\n       draw_art --preview <out.png> <dir>\n");
    return 2;
}

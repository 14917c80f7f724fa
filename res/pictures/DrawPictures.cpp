// Draws the program's pictures into a folder: the toolbar buttons (18 x 19), the close
// symbol (16 x 16), the sizing cursor, the program icon (also as title.ico) and the
// background tile (also as background.bmp).
//
//   qx260-draw-pictures OUTPUT_FOLDER
//
// The pictures under res/pictures/ were made with it; run it again after changing a
// drawing and commit the result.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cstdio>

namespace
{

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Paints in pixel coordinates: a rectangle (x1, y1)-(x2, y2) covers both corners.
void box(QPainter& p, int x1, int y1, int x2, int y2, QColor fill, QColor outline)
{
    p.fillRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1, outline);
    if (x2 - x1 >= 2 && y2 - y1 >= 2)
        p.fillRect(x1 + 1, y1 + 1, x2 - x1 - 1, y2 - y1 - 1, fill);
}

void polygon(QPainter& p, std::initializer_list<QPointF> points, QColor fill, QColor outline)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
    p.setRenderHint(QPainter::Antialiasing, false);
}

QImage newButton()
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    p.translate(0.5, 0.5);
    polygon(p, {{3, 1}, {11, 1}, {15, 5}, {15, 17}, {3, 17}}, Qt::white, QColor(0x40, 0x40, 0x40));
    polygon(p, {{11, 1}, {11, 5}, {15, 5}}, QColor(0xd8, 0xd8, 0xd8), QColor(0x40, 0x40, 0x40));
    return image;
}

QImage openButton()
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    const QColor dark(0x8a, 0x66, 0x00);
    box(p, 1, 3, 6, 5, QColor(0xe0, 0xac, 0x1c), dark);
    box(p, 1, 5, 14, 16, QColor(0xe0, 0xac, 0x1c), dark);
    p.translate(0.5, 0.5);
    polygon(p, {{4, 8}, {17, 8}, {14, 16}, {1, 16}}, QColor(0xff, 0xd6, 0x4f), dark);
    return image;
}

QImage saveButton()
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    box(p, 2, 2, 16, 17, QColor(0x3b, 0x6f, 0xb6), QColor(0x1d, 0x3f, 0x73));
    box(p, 5, 2, 12, 7, QColor(0xc9, 0xcd, 0xd3), QColor(0x1d, 0x3f, 0x73));
    p.fillRect(9, 3, 2, 4, QColor(0x4a, 0x50, 0x58));
    box(p, 4, 10, 14, 17, Qt::white, QColor(0x1d, 0x3f, 0x73));
    p.fillRect(6, 12, 7, 1, QColor(0x9d, 0xb8, 0xdc));
    p.fillRect(6, 14, 7, 1, QColor(0x9d, 0xb8, 0xdc));
    return image;
}

// A hand-held radio at the right edge, the arrow at the left shows where the data goes.
void radio(QPainter& p)
{
    p.fillRect(14, 1, 2, 5, QColor(0x30, 0x30, 0x30));
    box(p, 10, 5, 16, 18, QColor(0x45, 0x4b, 0x55), QColor(0x22, 0x25, 0x2a));
    p.fillRect(11, 7, 5, 4, QColor(0x9b, 0xe3, 0x9b));
    for (int y = 13; y <= 16; y += 2)
        p.fillRect(12, y, 3, 1, QColor(0x9a, 0xa0, 0xa8));
}

QImage transferButton(bool towardsRadio)
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    radio(p);
    const QColor fill = towardsRadio ? QColor(0xd9, 0x53, 0x1e) : QColor(0x2e, 0x9b, 0x3a);
    const QColor edge = towardsRadio ? QColor(0x8c, 0x30, 0x0c) : QColor(0x1b, 0x5e, 0x23);
    p.translate(0.5, 0.5);
    if (towardsRadio)
        polygon(p, {{0, 10}, {4, 10}, {4, 7}, {8.5, 11.5}, {4, 16}, {4, 13}, {0, 13}}, fill, edge);
    else
        polygon(p, {{8, 10}, {5, 10}, {5, 7}, {0.5, 11.5}, {5, 16}, {5, 13}, {8, 13}}, fill, edge);
    return image;
}

QImage printButton()
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    const QColor edge(0x4a, 0x52, 0x5a);
    box(p, 5, 1, 13, 7, Qt::white, edge);
    box(p, 1, 6, 17, 13, QColor(0xa7, 0xb0, 0xba), edge);
    p.fillRect(14, 8, 2, 1, QColor(0x3c, 0xc0, 0x4a));
    box(p, 4, 11, 14, 18, Qt::white, edge);
    p.fillRect(6, 13, 7, 1, QColor(0x9a, 0x9a, 0x9a));
    p.fillRect(6, 15, 5, 1, QColor(0x9a, 0x9a, 0x9a));
    return image;
}

QImage aboutButton()
{
    QImage image = canvas(18, 19);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x1b, 0x4a, 0x8c), 1.0));
    p.setBrush(QColor(0x2f, 0x6f, 0xc9));
    p.drawEllipse(QRectF(1.5, 2.0, 15.0, 15.0));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(8, 5, 2, 2, Qt::white);
    p.fillRect(8, 8, 2, 6, Qt::white);
    p.fillRect(7, 8, 1, 1, Qt::white);
    p.fillRect(7, 13, 4, 1, Qt::white);
    return image;
}

QImage closeSymbol()
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    return image;
}

// Two arrows pointing left and right from a double bar; the hot spot is the centre (15, 15).
QImage sizingCursor()
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    QPainterPath path;
    path.addRect(13, 6, 2, 20);
    path.addRect(17, 6, 2, 20);
    path.addPolygon(QPolygonF({QPointF(3, 16), QPointF(8, 11), QPointF(8, 14.5), QPointF(12, 14.5),
                               QPointF(12, 17.5), QPointF(8, 17.5), QPointF(8, 21), QPointF(3, 16)}));
    path.addPolygon(QPolygonF({QPointF(29, 16), QPointF(24, 11), QPointF(24, 14.5), QPointF(20, 14.5),
                               QPointF(20, 17.5), QPointF(24, 17.5), QPointF(24, 21), QPointF(29, 16)}));
    path.setFillRule(Qt::WindingFill);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.strokePath(path, QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.fillPath(path, Qt::black);
    return image;
}

// The program icon: a hand-held radio, drawn on a 48-unit grid at any size.
QImage programIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 48.0, size / 48.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x29, 0x2e));
    p.drawRoundedRect(QRectF(28, 2, 5, 14), 2, 2);
    p.setBrush(QColor(0xe8, 0x78, 0x2a));
    p.drawRoundedRect(QRectF(16, 6, 6, 7), 1.5, 1.5);
    QLinearGradient body(0, 12, 0, 46);
    body.setColorAt(0, QColor(0x4d, 0x55, 0x61));
    body.setColorAt(1, QColor(0x24, 0x28, 0x2e));
    p.setPen(QPen(QColor(0x15, 0x17, 0x1a), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(12, 12, 24, 34), 4, 4);
    p.setPen(QPen(QColor(0x2c, 0x50, 0x2c), 1.0));
    p.setBrush(QColor(0xa6, 0xe8, 0x9a));
    p.drawRoundedRect(QRectF(16, 16, 16, 10), 1.5, 1.5);
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xae), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (double y : {31.0, 35.0, 39.0})
        p.drawLine(QPointF(18, y), QPointF(30, y));
    return image;
}

// A quiet tile for the empty client area: faint diagonal lines that join across edges.
QImage backgroundTile()
{
    QImage image(80, 80, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, (x + y) % 8 == 0 ? QColor(0xd6, 0xdd, 0xe6) : QColor(0xe4, 0xe9, 0xef));
    return image;
}

// An .ico file with one 32-bit entry per image (bitmap form with an AND mask, readable
// everywhere).
QByteArray icoFile(const QList<QImage>& images)
{
    QByteArray header, bodies;
    auto put16 = [](QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto put32 = [&](QByteArray& b, quint32 v) {
        put16(b, quint16(v & 0xFFFF));
        put16(b, quint16(v >> 16));
    };
    put16(header, 0);
    put16(header, 1);
    put16(header, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const QImage& source : images) {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        const int w = image.width(), h = image.height();
        const int maskStride = ((w + 31) / 32) * 4;
        QByteArray body;
        put32(body, 40);
        put32(body, quint32(w));
        put32(body, quint32(h * 2));
        put16(body, 1);
        put16(body, 32);
        for (int i = 0; i < 6; ++i)
            put32(body, 0);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) {
                const QRgb px = image.pixel(x, y);
                body.append(char(qBlue(px)))
                    .append(char(qGreen(px)))
                    .append(char(qRed(px)))
                    .append(char(qAlpha(px)));
            }
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            for (int x = 0; x < w; ++x)
                if (qAlpha(image.pixel(x, y)) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            body.append(row);
        }
        header.append(char(w >= 256 ? 0 : w)).append(char(h >= 256 ? 0 : h)).append('\0').append('\0');
        put16(header, 1);
        put16(header, 32);
        put32(header, quint32(body.size()));
        put32(header, offset);
        offset += quint32(body.size());
        bodies.append(body);
    }
    return header + bodies;
}

bool save(const QImage& image, const QString& path, const char* format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qx260-draw-pictures OUTPUT_FOLDER\n");
        return 64;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "Cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = save(newButton(), out.filePath("button-new.png"), "PNG") &&
              save(openButton(), out.filePath("button-open.png"), "PNG") &&
              save(saveButton(), out.filePath("button-save.png"), "PNG") &&
              save(transferButton(false), out.filePath("button-read.png"), "PNG") &&
              save(transferButton(true), out.filePath("button-write.png"), "PNG") &&
              save(printButton(), out.filePath("button-print.png"), "PNG") &&
              save(aboutButton(), out.filePath("button-about.png"), "PNG") &&
              save(closeSymbol(), out.filePath("close.png"), "PNG") &&
              save(sizingCursor(), out.filePath("sizing-cursor.png"), "PNG") &&
              save(backgroundTile(), out.filePath("background.bmp"), "BMP");
    QList<QImage> icons;
    for (int size : {16, 32, 48}) {
        icons << programIcon(size);
        ok = ok && save(icons.last(), out.filePath(QStringLiteral("program-%1.png").arg(size)), "PNG");
    }
    QSaveFile ico(out.filePath("title.ico"));
    if (!ico.open(QIODevice::WriteOnly) || ico.write(icoFile(icons)) < 0 || !ico.commit()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(ico.fileName()));
        ok = false;
    }
    return ok ? 0 : 1;
}

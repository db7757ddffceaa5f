// Draws the program's pictures, so that every size of them comes from one drawing: the icon at the
// sizes of the desktop's icon theme, and the banner and about picture at their design size and at
// twice it for screens scaled by 2.
//   artwork FOLDER    writes icons/sollentra-N.png (N = 16 ... 256), banner.png, banner@2x.png,
//                     about.png and about@2x.png into FOLDER (the images folder of ui/)
// The pictures are kept in the repository; run this only to change them.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>
#include <iostream>

#include "Artwork.h"

namespace {
const QColor Gold(0xf0, 0xc0, 0x40);
const QColor Handle(0xb0, 0x70, 0x20);

// A globe filling the square box; fewer grid lines when it is small, where more
// would blur into one.
void DrawGlobe(QPainter& painter, QRectF box)
{
    QRadialGradient sea(box.center() - QPointF(box.width() * 0.2, box.height() * 0.2), box.width() * 0.75);
    sea.setColorAt(0, QColor(0x9c, 0xd0, 0xff));
    sea.setColorAt(0.55, QColor(0x3a, 0x86, 0xd8));
    sea.setColorAt(1, QColor(0x14, 0x4a, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawEllipse(box);

    const double side = box.width();
    const int lines = side < 20 ? 1 : side < 40 ? 2 : 3;
    QPen grid(QColor(255, 255, 255, 215), std::max(1.0, side / 44));
    painter.setPen(grid);
    painter.setBrush(Qt::NoBrush);
    painter.save();
    QPainterPath clip;
    clip.addEllipse(box);
    painter.setClipPath(clip);
    for (int i = 1; i <= lines; ++i) {
        const double part = static_cast<double>(i) / (lines + 1);
        // Meridians: ellipses narrowing towards the rim; parallels: straight lines.
        const double halfWidth = side / 2 * part;
        painter.drawEllipse(QPointF(box.center()), halfWidth, side / 2);
        const double y = box.top() + side * part;
        painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    }
    painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    painter.restore();
    painter.setPen(QPen(QColor(0x0c, 0x35, 0x75), std::max(1.0, side / 48)));
    painter.drawEllipse(box);
}

// A magnifying glass whose lens has the given centre and radius, its handle to the lower right.
void DrawMagnifier(QPainter& painter, QPointF centre, double radius)
{
    const double ring = std::max(1.5, radius * 0.28);
    const QPointF handleStart = centre + QPointF(radius, radius) * 0.72;
    const QPointF handleEnd = centre + QPointF(radius, radius) * 1.55;
    painter.setPen(QPen(Handle, ring * 1.25, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleStart, handleEnd);
    painter.setPen(QPen(Gold, ring));
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawEllipse(centre, radius, radius);
}

QImage NewImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Icon(int side)
{
    QImage image = NewImage(QSize(side, side));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    DrawGlobe(painter, QRectF(s * 0.02, s * 0.02, s * 0.78, s * 0.78));
    DrawMagnifier(painter, QPointF(s * 0.62, s * 0.62), s * 0.2);
    return image;
}

// A picture of the given design size drawn at scale, on a sky from one colour at the top left to
// another at the bottom right; draw paints the rest in design units.
QImage Picture(QSize size, int scale, QColor from, QColor to, const std::function<void(QPainter&)>& draw)
{
    QImage image = NewImage(size * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QRectF box(QPointF(0, 0), size);
    QLinearGradient sky(box.topLeft(), box.bottomRight());
    sky.setColorAt(0, from);
    sky.setColorAt(1, to);
    painter.fillRect(box, sky);
    draw(painter);
    return image;
}

// 468 x 90 at scale 1: the icon, the name and what the program does.
QImage Banner(int scale)
{
    return Picture(
        QSize(468, 90), scale, QColor(0x12, 0x2c, 0x5c), QColor(0x2a, 0x6c, 0xb8), [](QPainter& painter) {
            DrawGlobe(painter, QRectF(18, 13, 62, 62));
            DrawMagnifier(painter, QPointF(68, 61), 12);

            QFont title(QStringLiteral("DejaVu Sans"));
            title.setBold(true);
            title.setPixelSize(40);
            painter.setFont(title);
            painter.setPen(Qt::white);
            painter.drawText(QPointF(110, 47), QStringLiteral("Sollentra"));
            QFont motto(QStringLiteral("DejaVu Sans"));
            motto.setPixelSize(15);
            painter.setFont(motto);
            painter.setPen(Gold);
            painter.drawText(QPointF(112, 72), QStringLiteral("find the domain names nobody has taken"));
        });
}

// 215 x 165 at scale 1: a large globe under the glass, suffixes fading in the background.
QImage AboutPicture(int scale)
{
    return Picture(QSize(215, 165), scale, QColor(0x1c, 0x4c, 0x94), QColor(0x2e, 0x78, 0xc8),
                   [](QPainter& painter) {
                       QFont mono(QStringLiteral("DejaVu Sans Mono"));
                       mono.setPixelSize(11);
                       painter.setFont(mono);
                       painter.setPen(QColor(255, 255, 255, 60));
                       const std::pair<QPointF, const char*> suffixes[] = {{{10, 17}, ".com"},
                                                                           {{14, 57}, ".org"},
                                                                           {{10, 97}, ".me.uk"},
                                                                           {{12, 131}, ".info"},
                                                                           {{108, 151}, "www."}};
                       for (const auto& [at, text] : suffixes) {
                           painter.drawText(at, QLatin1String(text));
                       }
                       DrawGlobe(painter, QRectF(38, 8, 120, 120));
                       DrawMagnifier(painter, QPointF(150, 113), 24);
                   });
}

bool Save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    const bool saved = image.save(path);
    std::cout << (saved ? "wrote " : "cannot write ") << path.toStdString() << '\n';
    return saved;
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: artwork FOLDER\n";
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("icons"))) {
        std::cerr << "cannot make " << argv[1] << "/icons\n";
        return 1;
    }
    bool saved = true;
    for (const int side : Artwork::IconSides) {
        saved &= Save(Icon(side), folder, QStringLiteral("icons/sollentra-%1.png").arg(side));
    }
    saved &= Save(Banner(1), folder, QStringLiteral("banner.png"));
    saved &= Save(Banner(2), folder, QStringLiteral("banner@2x.png"));
    saved &= Save(AboutPicture(1), folder, QStringLiteral("about.png"));
    saved &= Save(AboutPicture(2), folder, QStringLiteral("about@2x.png"));
    return saved ? 0 : 1;
}

#include "ui/ImageList.h"

#include "browser/ClubTree.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <string>
#include <vector>

// The images are compiled into this static library; its resource initialiser is only linked in when
// something calls it.
static void initImageResources() { Q_INIT_RESOURCE(lanescope); }

namespace lanescope::ui {

namespace {

/** Command and tree images come first; the flags and badges follow them. */
constexpr int kActionImageCount = 21;
constexpr int kTreeImageSize = 16;

const std::vector<std::string>& mapCodes()
{
    static const browser::ClubImages images(kActionImageCount);
    return images.codes();
}

QString resourceOf(int index)
{
    if (index < 0 || index >= imageCount())
        return {};
    if (index < kActionImageCount)
        return QStringLiteral(":/images/actions/%1.svg").arg(index, 2, 10, QLatin1Char('0'));
    return QStringLiteral(":/images/flags/%1.svg")
        .arg(QString::fromStdString(mapCodes()[static_cast<std::size_t>(index - kActionImageCount)]));
}

/** Renders the SVG into a transparent square, keeping its aspect ratio and centring it. */
QImage renderImage(const QString& resource, const QSize& size)
{
    static const bool initialised = (initImageResources(), true);
    (void)initialised;
    QSvgRenderer renderer(resource);
    if (!renderer.isValid() || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF drawn = renderer.viewBoxF().size();
    drawn.scale(QSizeF(size), Qt::KeepAspectRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(
        &painter,
        QRectF(QPointF((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2), drawn));
    painter.end();
    return image;
}

QPixmap render(const QString& resource, const QSize& size)
{
    return QPixmap::fromImage(renderImage(resource, size));
}

} // namespace

int firstMapImageIndex() { return kActionImageCount; }

int imageCount() { return kActionImageCount + static_cast<int>(mapCodes().size()); }

QIcon actionIcon(int index)
{
    const QString resource = resourceOf(index);
    if (resource.isEmpty())
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addPixmap(render(resource, QSize(size, size)));
    return icon;
}

QPixmap treeImage(int index)
{
    // Trees ask for an image per node; each is rendered once. Images, unlike pixmaps, may outlive the
    // application object, so they are what the cache keeps.
    static std::vector<QImage> cache;
    if (index < 0 || index >= imageCount())
        return {};
    cache.resize(static_cast<std::size_t>(imageCount()));
    QImage& image = cache[static_cast<std::size_t>(index)];
    if (image.isNull())
        image = renderImage(resourceOf(index), QSize(kTreeImageSize, kTreeImageSize));
    return QPixmap::fromImage(image);
}

QPixmap logoImage(const QSize& size) { return render(QStringLiteral(":/images/logo.svg"), size); }

} // namespace lanescope::ui

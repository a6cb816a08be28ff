#include "platform/ui/window_region.h"

#include <QVariant>
#include <QVector>
#include <QWidget>

#include <algorithm>

#include "platform/numeric.h"

namespace lumoria::platform {

namespace {

constexpr char kRegionProperty[] = "lumoria_window_region";

// A single pixel left of and above the widget: a mask that is not empty yet covers none of it.
const QRegion kNothingShown(-1, -1, 1, 1);

QRegion unite(QVector<QRegion>& parts)
{
    // Pairwise, so each union works on regions of similar size.
    while (parts.size() > 1) {
        QVector<QRegion> merged;
        merged.reserve((parts.size() + 1) / 2);
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            merged.append(parts[i].united(parts[i + 1]));
        if (parts.size() % 2)
            merged.append(parts.last());
        parts.swap(merged);
    }
    return parts.isEmpty() ? QRegion() : parts.first();
}

} // namespace

QPoint clientOffsetInWindow(const QSize& windowSize, const QSize& clientSize)
{
    const int border = Div(windowSize.width() - clientSize.width(), 2);
    const int top = windowSize.height() - clientSize.height() - border;
    return {border, top};
}

QSize windowSize(const QWidget* window)
{
    return window->isWindow() ? window->frameGeometry().size() : window->size();
}

std::optional<QRegion> windowRegion(const QWidget* window)
{
    const QVariant value = window->property(kRegionProperty);
    if (!value.isValid())
        return std::nullopt;
    return value.value<QRegion>();
}

void setWindowRegion(QWidget* window, const QRegion& region)
{
    window->setProperty(kRegionProperty, QVariant::fromValue(region));
    const QPoint offset = clientOffsetInWindow(windowSize(window), window->size());
    const QRegion client = region.translated(-offset);
    window->setMask(client.isEmpty() ? kNothingShown : client);
    window->update();
}

QRegion regionOfPixelsUnlike(const QImage& image, std::optional<QRgb> colour, const QRect& area)
{
    const QRect scan = area.intersected(image.rect());
    if (scan.isEmpty())
        return {};
    if (!colour)
        return QRegion(scan);
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    const QRgb background = *colour & RGB_MASK;
    QVector<QRegion> rows;
    QVector<QRect> runs;
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        runs.clear();
        int x = scan.left();
        while (x <= scan.right()) {
            while (x <= scan.right() && (line[x] & RGB_MASK) == background)
                ++x;
            const int start = x;
            while (x <= scan.right() && (line[x] & RGB_MASK) != background)
                ++x;
            if (x > start)
                runs.append(QRect(start, y, x - start, 1));
        }
        if (!runs.isEmpty()) {
            // One row of separate runs is a valid band as it stands.
            QRegion row;
            row.setRects(runs.constData(), int(runs.size()));
            rows.append(row);
        }
    }
    return unite(rows);
}

} // namespace lumoria::platform

#include "components/image_shape.h"


#include <QMouseEvent>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"
#include "platform/ui/window_region.h"

namespace lumoria {

using platform::GraphicKind;

namespace {

// Every shaped control of the process merges into its parent's region once this holds "set"; it is
// never cleared, and a process started from one that set it inherits it.
constexpr char kProcessFlag[] = "karvel";
constexpr char kProcessFlagSet[] = "set";

// Source range [first, last) of each target index when n source pixels go to m target pixels: one
// pixel each when enlarging, every pixel that falls on the target pixel when shrinking.
struct SourceSpan {
    int first;
    int last;
};

SourceSpan SpanOf(qint64 index, qint64 source, qint64 target)
{
    const auto first = int(index * source / target);
    auto last = int((index + 1) * source / target);
    if (last <= first)
        last = first + 1;
    return {first, last};
}

// A stretched copy the way a fresh memory context makes it: shrinking ANDs together the pixels that
// meet on one target pixel (so background-white areas stay white only where every source pixel was),
// enlarging repeats pixels. Only the part of dest on the target is written.
void StretchCopy(const QImage& source, QImage& target, const QRect& dest)
{
    const QRect visible = dest.intersected(target.rect());
    if (visible.isEmpty() || source.isNull())
        return;
    const int sw = source.width();
    const int sh = source.height();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const SourceSpan rows = SpanOf(y - dest.top(), sh, dest.height());
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const SourceSpan cols = SpanOf(x - dest.left(), sw, dest.width());
            QRgb value = 0xFFFFFFFFu;
            for (int sy = rows.first; sy < rows.last; ++sy) {
                const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
                for (int sx = cols.first; sx < cols.last; ++sx)
                    value &= in[sx];
            }
            out[x] = value | 0xFF000000u;
        }
    }
}

} // namespace

TImageShape::TImageShape(QWidget* parent) : TPictureControl(parent) {}

TImageShape::~TImageShape() = default;

void TImageShape::SetPicture(const platform::Picture& value)
{
    m_picture.Assign(value);
    PictureChanged();
}

void TImageShape::SetGraphic(const platform::Graphic* graphic)
{
    m_picture.AssignGraphic(graphic);
    PictureChanged();
}

void TImageShape::LoadPictureFromFile(const QString& path)
{
    m_picture.LoadFromFile(path);
    PictureChanged();
}

void TImageShape::SetProportional(bool value)
{
    if (value == m_proportional)
        return;
    m_proportional = value;
    PictureChanged();
}

Rect TImageShape::DestRect() const
{
    int w = m_picture.Width();
    int h = m_picture.Height();
    const int cw = width();
    const int ch = height();
    if (m_stretch || (m_proportional && (w > cw || h > ch))) {
        if (m_proportional && w > 0 && h > 0) {
            const double aspect = double(w) / double(h);
            if (w > h) {
                w = cw;
                h = TruncToInt32((long double)cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = TruncToInt32((long double)ch * aspect);
                }
            } else {
                h = ch;
                w = TruncToInt32((long double)ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = TruncToInt32((long double)cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    Rect r{0, 0, w, h};
    if (m_center) {
        const int dx = Div(cw - w, 2);
        const int dy = Div(ch - h, 2);
        r = Rect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    }
    return r;
}

bool TImageShape::GraphicTransparent() const
{
    const platform::Graphic* graphic = m_picture.GetGraphic();
    if (!graphic)
        return false;
    // Metafiles and icons keep their own transparency.
    if (graphic->Kind() == GraphicKind::Metafile || graphic->Kind() == GraphicKind::Icon)
        return graphic->Transparent();
    return m_transparent;
}

void TImageShape::PictureChanged()
{
    if (m_autoSize && m_picture.Width() > 0 && m_picture.Height() > 0)
        setGeometry(x(), y(), m_picture.Width(), m_picture.Height());

    m_opaque = m_picture.GetGraphic() && !GraphicTransparent() && m_stretch && !m_proportional;
    setAttribute(Qt::WA_OpaquePaintEvent, m_opaque);

    if (!m_drawing)
        update();

    if (m_picture.GetGraphic())
        ShapeParent();
}

QRegion TImageShape::BitmapToRegion(const QImage& source, const QSize& client, const Rect& dest)
{
    std::optional<QRgb> background;
    if (!source.isNull())
        background = source.pixel(0, source.height() - 1);
    QImage work(client, QImage::Format_RGB32);
    if (work.isNull())
        return {};
    work.fill(Qt::black);
    const QImage pixels = source.isNull() ? source : source.convertToFormat(QImage::Format_RGB32);
    StretchCopy(pixels, work, toQRect(dest));
    return platform::regionOfPixelsUnlike(work, background, toQRect(dest));
}

void TImageShape::ShapeParent()
{
    QWidget* parent = parentWidget();
    const platform::Graphic* graphic = m_picture.GetGraphic();
    if (!parent || !graphic)
        return;

    // The picture at its natural size on a fresh (black) screen-format bitmap.
    QImage source;
    if (!graphic->Empty()) {
        platform::Bitmap natural(graphic->Width(), graphic->Height(), platform::PixelFormat::Bits32);
        platform::Canvas& canvas = natural.GetCanvas();
        canvas.brush.color = Qt::black;
        canvas.FillRect(Rect{0, 0, natural.Width(), natural.Height()});
        canvas.Draw(0, 0, *graphic);
        source = natural.Image();
    }

    QRegion shape = BitmapToRegion(source, size(), DestRect());
    const QPoint frame = platform::clientOffsetInWindow(platform::windowSize(parent), parent->size());
    shape.translate(frame + pos());

    if (qgetenv(kProcessFlag) != kProcessFlagSet) {
        m_storedRegion = shape;
        qputenv(kProcessFlag, kProcessFlagSet);
    } else {
        // Only what this control gave before is replaced; the rest of the shape stays.
        const QRegion rest = platform::windowRegion(parent).value_or(QRegion()).subtracted(m_storedRegion);
        m_storedRegion = shape;
        shape = shape.united(rest);
    }
    platform::setWindowRegion(parent, shape);
}

void TImageShape::mousePressEvent(QMouseEvent* event)
{
    TPictureControl::mousePressEvent(event);
    m_dragging = true;
    m_lastCursor = event->globalPosition().toPoint();
}

void TImageShape::mouseMoveEvent(QMouseEvent* event)
{
    TPictureControl::mouseMoveEvent(event);
    if (!m_dragging || !m_movable)
        return;
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const QPoint cursor = event->globalPosition().toPoint();
    parent->move(parent->pos() + (cursor - m_lastCursor));
    m_lastCursor = cursor;
}

void TImageShape::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    TPictureControl::mouseReleaseEvent(event);
}

} // namespace lumoria

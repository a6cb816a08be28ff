#include "platform/graphics/wmf_player.h"

#include "platform/failure.h"
#include "platform/graphics/bmp_codec.h"
#include "platform/graphics/image_memory.h"
#include "platform/numeric.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>

namespace lumoria::platform {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kScreenDpi = 96;

[[noreturn]] void Bad(const std::string& why)
{
    throw InvalidPicture("Windows metafile is not valid (" + why + ")");
}

std::uint32_t Le16(const QByteArray& d, qsizetype at)
{
    return std::uint32_t(uchar(d[at])) | (std::uint32_t(uchar(d[at + 1])) << 8);
}

std::uint32_t Le32(const QByteArray& d, qsizetype at)
{
    return Le16(d, at) | (Le16(d, at + 2) << 16);
}

// Records this player draws; everything else is passed over.
enum Function {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kRestoreDc = 0x0127,
    kSetBkColor = 0x0201,
    kSetBkMode = 0x0102,
    kSetPolyFillMode = 0x0106,
    kSetTextColor = 0x0209,
    kSetTextAlign = 0x012E,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kOffsetWindowOrg = 0x020F,
    kScaleWindowExt = 0x0410,
    kCreatePen = 0x02FA,
    kCreateBrush = 0x02FC,
    kCreateFont = 0x02FB,
    kCreatePalette = 0x00F7,
    kCreatePatternBrush = 0x0142,
    kCreateRegion = 0x06FF,
    kSelectObject = 0x012D,
    kDeleteObject = 0x01F0,
    kMoveTo = 0x0214,
    kLineTo = 0x0213,
    kRectangle = 0x041B,
    kRoundRect = 0x061C,
    kEllipse = 0x0418,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kPolyPolygon = 0x0538,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kTextOut = 0x0521,
    kExtTextOut = 0x0A32,
    kSetPixel = 0x041F,
    kPatBlt = 0x061D,
    kIntersectClipRect = 0x0416,
    kExcludeClipRect = 0x0415,
    kDibBitBlt = 0x0940,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
};

QColor ColourOf(std::uint32_t ref)
{
    return QColor(int(ref & 0xff), int((ref >> 8) & 0xff), int((ref >> 16) & 0xff));
}

struct Object {
    enum Kind { None, Pen, Brush, Font, Other } kind = None;
    QPen pen;
    QBrush brush;
    QFont font;
    int fontHeight = 0; // logical units; negative: character height
    int escapement = 0; // tenths of a degree
};

// 16-bit object indexes; a bounded save stack; a clip region of at most so many rectangles.
constexpr int kMaxObjects = 65536;
constexpr std::size_t kMaxSavedStates = 1024;
constexpr int kMaxClipRects = 4096;

struct State {
    QRectF window;
    Object pen;
    Object brush;
    Object font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    bool opaque = true;
    Qt::FillRule fill = Qt::OddEvenFill;
    int textAlign = 0;
    QPointF position;
    QRegion clip; // in logical units, which are whole numbers
    bool clipped = false;
};

// Reads the parameters of one record, every read checked against the record's own length.
class Params {
public:
    Params(const QByteArray& d, qsizetype offset, int words) : m_d(d), m_offset(offset), m_words(words) {}
    int words() const { return m_words; }
    bool has(int count) const { return count <= m_words; }
    int s16(int word) const { return has(word + 1) ? int(std::int16_t(Le16(m_d, m_offset + 2 * word))) : 0; }
    int u16(int word) const { return has(word + 1) ? int(Le16(m_d, m_offset + 2 * word)) : 0; }
    std::uint32_t u32(int word) const { return has(word + 2) ? Le32(m_d, m_offset + 2 * word) : 0; }
    const uchar* bytes(int word) const { return reinterpret_cast<const uchar*>(m_d.constData()) + m_offset + 2 * word; }
    qsizetype byteCount(int word) const { return has(word) ? qsizetype(m_words - word) * 2 : 0; }

private:
    const QByteArray& m_d;
    qsizetype m_offset;
    int m_words;
};

class Player {
public:
    Player(QPainter& painter, const QRectF& target, const QRectF& window, int objects)
        : m_p(painter), m_target(target)
    {
        m_state.window = window;
        m_state.pen.kind = Object::Pen;
        m_state.pen.pen = QPen(Qt::black, 0);
        m_state.brush.kind = Object::Brush;
        m_state.brush.brush = QBrush(Qt::white);
        m_state.font.kind = Object::Font;
        m_objects.resize(std::size_t(std::clamp(objects, 0, kMaxObjects)));
        for (int i = 0; i < int(m_objects.size()); ++i)
            m_free.push(i);
        m_base = painter.transform();
        m_baseClip = painter.hasClipping() ? std::optional<QPainterPath>(painter.clipPath()) : std::nullopt;
        Apply();
    }

    void Run(const Params& a, int function);

private:
    void Apply()
    {
        ApplyClipIfChanged(); // a clip is set in the units of its own time
        const QRectF& w = m_state.window;
        const qreal sx = w.width() != 0 ? m_target.width() / w.width() : 1;
        const qreal sy = w.height() != 0 ? m_target.height() / w.height() : 1;
        QTransform t(sx, 0, 0, sy, m_target.left() - w.left() * sx, m_target.top() - w.top() * sy);
        m_p.setTransform(t * m_base);
    }
    void UsePen() { m_p.setPen(m_state.pen.pen); }
    void UseBrush() { m_p.setBrush(m_state.brush.brush); }
    // An object takes the lowest free slot, as the system does; the free slots are kept in a heap
    // so that a file of many objects is played in linear time.
    void AddObject(const Object& o)
    {
        if (!m_free.empty()) {
            m_objects[std::size_t(m_free.top())] = o;
            m_free.pop();
        } else if (int(m_objects.size()) < kMaxObjects) {
            m_objects.push_back(o); // a header that under-counts its objects
        }
        // A full table takes no more objects (selecting one reaches only 16-bit indexes anyway).
    }
    void DeleteObject(int i)
    {
        if (i < 0 || std::size_t(i) >= m_objects.size() || m_objects[std::size_t(i)].kind == Object::None)
            return;
        m_objects[std::size_t(i)] = Object();
        m_free.push(i);
    }
    QRectF Box(const Params& a, int first) const
    {
        // bottom, right, top, left
        const int b = a.s16(first), r = a.s16(first + 1), t = a.s16(first + 2), l = a.s16(first + 3);
        return QRectF(QPointF(std::min(l, r), std::min(t, b)), QPointF(std::max(l, r), std::max(t, b)));
    }
    QPolygonF Points(const Params& a, int first, int count) const
    {
        QPolygonF poly;
        for (int i = 0; i < count && a.has(first + 2 * i + 2); ++i)
            poly << QPointF(a.s16(first + 2 * i), a.s16(first + 2 * i + 1));
        return poly;
    }
    void Text(const QPointF& at, const QByteArray& text);
    void Bitmap(const Params& a, int dibWord, const QRectF& dest, const QRect& source);
    void Arc(const Params& a, int kind);
    // The clip is put on the painter only when something is drawn, not at every clip record.
    void ApplyClipIfChanged()
    {
        if (m_clipChanged)
            SetClip();
        m_clipChanged = false;
    }
    void SetClip()
    {
        const QTransform now = m_p.transform();
        m_p.setTransform(m_base);
        if (m_baseClip)
            m_p.setClipPath(*m_baseClip, Qt::ReplaceClip);
        else
            m_p.setClipping(false);
        m_p.setTransform(now);
        if (m_state.clipped)
            m_p.setClipRegion(m_state.clip, m_baseClip ? Qt::IntersectClip : Qt::ReplaceClip);
    }

    QPainter& m_p;
    QRectF m_target;
    QTransform m_base;
    std::optional<QPainterPath> m_baseClip;
    State m_state;
    std::vector<State> m_saved;
    int m_unsavedLevels = 0; // SaveDC records beyond the stack's bound
    std::vector<Object> m_objects;
    std::priority_queue<int, std::vector<int>, std::greater<int>> m_free;
    bool m_clipChanged = false;
};

void Player::Text(const QPointF& at, const QByteArray& text)
{
    const QString s = QString::fromLatin1(text);
    QFont font = m_state.font.font;
    const int h = std::abs(m_state.font.fontHeight);
    font.setPixelSize(std::max(1, h ? h : 12));
    m_p.setFont(font);
    const QFontMetricsF metrics(font);
    QPointF origin = at;
    if (m_state.textAlign & 0x0001) // TA_UPDATECP
        origin = m_state.position;
    const qreal width = metrics.horizontalAdvance(s);
    switch (m_state.textAlign & 0x0006) {
    case 0x0002: origin.rx() -= width; break;     // TA_RIGHT
    case 0x0006: origin.rx() -= width / 2; break; // TA_CENTER
    default: break;
    }
    qreal baseline = origin.y() + metrics.ascent(); // TA_TOP
    if ((m_state.textAlign & 0x0018) == 0x0018)
        baseline = origin.y(); // TA_BASELINE
    else if (m_state.textAlign & 0x0008)
        baseline = origin.y() - metrics.descent(); // TA_BOTTOM
    if (m_state.opaque)
        m_p.fillRect(QRectF(origin.x(), baseline - metrics.ascent(), width, metrics.height()), m_state.backColour);
    m_p.setPen(m_state.textColour);
    if (m_state.font.escapement != 0) {
        m_p.save();
        m_p.translate(origin.x(), baseline);
        m_p.rotate(-m_state.font.escapement / 10.0);
        m_p.drawText(QPointF(0, 0), s);
        m_p.restore();
    } else {
        m_p.drawText(QPointF(origin.x(), baseline), s);
    }
    if (m_state.textAlign & 0x0001)
        m_state.position.rx() = origin.x() + width;
}

void Player::Bitmap(const Params& a, int dibWord, const QRectF& dest, const QRect& source)
{
    if (a.byteCount(dibWord) < 40)
        return;
    try {
        const DecodedBitmap dib = DecodeDib(a.bytes(dibWord), a.byteCount(dibWord));
        QRect src = source.isEmpty() ? dib.image.rect() : source;
        // Rows of a bitmap in a metafile count from the bottom.
        src = QRect(src.x(), dib.image.height() - src.y() - src.height(), src.width(), src.height());
        m_p.drawImage(dest, dib.image, src);
    } catch (const InvalidPicture&) {
        // A bitmap that does not decode is left out; the rest of the drawing stands.
    }
}

void Player::Arc(const Params& a, int kind)
{
    // yEnd, xEnd, yStart, xStart, then the bounding box
    const QPointF end(a.s16(1), a.s16(0));
    const QPointF start(a.s16(3), a.s16(2));
    const QRectF box = Box(a, 4);
    if (box.isEmpty())
        return;
    const QPointF c = box.center();
    auto angle = [&](const QPointF& p) {
        // The ellipse's own angle of a point, counter-clockwise as the screen shows it.
        return std::atan2(-(p.y() - c.y()) * box.width(), (p.x() - c.x()) * box.height()) * 180.0 / M_PI;
    };
    const qreal a0 = angle(start);
    qreal span = angle(end) - a0;
    if (span <= 0)
        span += 360;
    QPainterPath shape;
    if (kind == kPie) {
        shape.moveTo(c);
        shape.arcTo(box, a0, span);
        shape.closeSubpath();
    } else {
        shape.arcMoveTo(box, a0);
        shape.arcTo(box, a0, span);
        if (kind == kChord)
            shape.closeSubpath();
    }
    UsePen();
    if (kind == kArc)
        m_p.setBrush(Qt::NoBrush);
    else
        UseBrush();
    m_p.drawPath(shape);
}

void Player::Run(const Params& a, int function)
{
    if (function != kIntersectClipRect && function != kExcludeClipRect && function != kSaveDc
        && function != kRestoreDc)
        ApplyClipIfChanged();
    switch (function) {
    case kSaveDc:
        // A bounded stack: the levels beyond it restore nothing.
        if (m_saved.size() < kMaxSavedStates)
            m_saved.push_back(m_state);
        else
            ++m_unsavedLevels;
        break;
    case kRestoreDc: {
        // Negative: that many levels back; positive: the saved state of that number.
        int n = a.s16(0);
        if (n < 0) {
            for (; n < 0 && m_unsavedLevels > 0; ++n)
                --m_unsavedLevels;
            while (n++ < 0 && !m_saved.empty()) {
                m_state = m_saved.back();
                m_saved.pop_back();
            }
        } else if (n > 0 && std::size_t(n) <= m_saved.size()) {
            m_state = m_saved[std::size_t(n) - 1];
            m_saved.resize(std::size_t(n) - 1);
            m_unsavedLevels = 0;
        }
        Apply();
        m_clipChanged = true;
        break;
    }
    case kSetBkColor: m_state.backColour = ColourOf(a.u32(0)); break;
    case kSetBkMode: m_state.opaque = a.u16(0) == 2; break;
    case kSetPolyFillMode: m_state.fill = a.u16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case kSetTextColor: m_state.textColour = ColourOf(a.u32(0)); break;
    case kSetTextAlign: m_state.textAlign = a.u16(0); break;
    case kSetWindowOrg:
        m_state.window.moveTopLeft(QPointF(a.s16(1), a.s16(0)));
        Apply();
        break;
    case kSetWindowExt:
        m_state.window.setSize(QSizeF(a.s16(1), a.s16(0)));
        Apply();
        break;
    case kOffsetWindowOrg:
        m_state.window.translate(a.s16(1), a.s16(0));
        Apply();
        break;
    case kScaleWindowExt: {
        const int yd = a.s16(0), yn = a.s16(1), xd = a.s16(2), xn = a.s16(3);
        if (xd != 0 && yd != 0)
            m_state.window.setSize(QSizeF(m_state.window.width() * xn / xd, m_state.window.height() * yn / yd));
        Apply();
        break;
    }
    case kCreatePen: {
        Object o;
        o.kind = Object::Pen;
        const int style = a.u16(0) & 0x0f;
        QPen pen(ColourOf(a.u32(3)));
        pen.setWidthF(a.s16(1) <= 1 ? 0 : a.s16(1));
        pen.setCosmetic(a.s16(1) <= 1);
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
        pen.setStyle(style < 7 ? styles[style] : Qt::SolidLine);
        o.pen = pen;
        AddObject(o);
        break;
    }
    case kCreateBrush: {
        Object o;
        o.kind = Object::Brush;
        const int style = a.u16(0);
        const QColor colour = ColourOf(a.u32(1));
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        if (style == 1)
            o.brush = QBrush(Qt::NoBrush);
        else if (style == 2)
            o.brush = QBrush(colour, hatches[std::clamp(a.u16(3), 0, 5)]);
        else
            o.brush = QBrush(colour);
        AddObject(o);
        break;
    }
    case kCreatePatternBrush: {
        Object o;
        o.kind = Object::Brush;
        o.brush = QBrush(Qt::gray);
        if (a.byteCount(2) >= 40) {
            try {
                o.brush = QBrush(DecodeDib(a.bytes(2), a.byteCount(2)).image);
            } catch (const InvalidPicture&) {
            }
        }
        AddObject(o);
        break;
    }
    case kCreateFont: {
        Object o;
        o.kind = Object::Font;
        o.fontHeight = a.s16(0);
        o.escapement = a.s16(2);
        QFont font;
        const int weight = a.s16(4);
        font.setBold(weight >= 600);
        const int flags = a.u16(5);
        font.setItalic(flags & 0xff);
        font.setUnderline(flags >> 8);
        QByteArray face;
        for (int i = 0; i < 32 && a.has(9 + i / 2 + 1); ++i) {
            const char ch = char(a.bytes(9)[i]);
            if (!ch)
                break;
            face.append(ch);
        }
        if (!face.isEmpty())
            font.setFamily(QString::fromLatin1(face));
        o.font = font;
        AddObject(o);
        break;
    }
    case kCreatePalette:
    case kCreateRegion: {
        Object o;
        o.kind = Object::Other;
        AddObject(o);
        break;
    }
    case kSelectObject: {
        const int i = a.u16(0);
        if (i < 0 || std::size_t(i) >= m_objects.size())
            break;
        const Object& o = m_objects[std::size_t(i)];
        if (o.kind == Object::Pen)
            m_state.pen = o;
        else if (o.kind == Object::Brush)
            m_state.brush = o;
        else if (o.kind == Object::Font)
            m_state.font = o;
        break;
    }
    case kDeleteObject:
        DeleteObject(a.u16(0));
        break;
    case kMoveTo: m_state.position = QPointF(a.s16(1), a.s16(0)); break;
    case kLineTo: {
        const QPointF to(a.s16(1), a.s16(0));
        UsePen();
        m_p.drawLine(m_state.position, to);
        m_state.position = to;
        break;
    }
    case kRectangle:
        UsePen();
        UseBrush();
        m_p.drawRect(Box(a, 0));
        break;
    case kRoundRect:
        UsePen();
        UseBrush();
        m_p.drawRoundedRect(Box(a, 2), a.s16(1) / 2.0, a.s16(0) / 2.0);
        break;
    case kEllipse:
        UsePen();
        UseBrush();
        m_p.drawEllipse(Box(a, 0));
        break;
    case kPolygon:
    case kPolyline: {
        const QPolygonF poly = Points(a, 1, a.s16(0));
        UsePen();
        if (function == kPolyline) {
            m_p.setBrush(Qt::NoBrush);
            m_p.drawPolyline(poly);
        } else {
            UseBrush();
            m_p.drawPolygon(poly, m_state.fill);
        }
        break;
    }
    case kPolyPolygon: {
        const int polys = std::max(0, a.s16(0));
        QPainterPath path;
        path.setFillRule(m_state.fill);
        int next = 1 + polys;
        for (int i = 0; i < polys && a.has(next); ++i) {
            const int count = std::max(0, a.s16(1 + i));
            path.addPolygon(Points(a, next, count));
            path.closeSubpath();
            next += 2 * count;
        }
        UsePen();
        UseBrush();
        m_p.drawPath(path);
        break;
    }
    case kArc:
    case kPie:
    case kChord:
        Arc(a, function);
        break;
    case kTextOut: {
        const int length = std::max(0, a.s16(0));
        const int words = (length + 1) / 2;
        if (!a.has(1 + words + 2))
            break;
        Text(QPointF(a.s16(1 + words + 1), a.s16(1 + words)),
             QByteArray(reinterpret_cast<const char*>(a.bytes(1)), length));
        break;
    }
    case kExtTextOut: {
        const QPointF at(a.s16(1), a.s16(0));
        const int length = std::max(0, a.s16(2));
        const int options = a.u16(3);
        int first = 4;
        if (options & 0x0006) { // ETO_OPAQUE, ETO_CLIPPED: a rectangle follows
            const QRectF box(QPointF(a.s16(4), a.s16(5)), QPointF(a.s16(6), a.s16(7)));
            if ((options & 0x0002) && m_state.opaque)
                m_p.fillRect(box.normalized(), m_state.backColour);
            first = 8;
        }
        if (a.byteCount(first) < length)
            break;
        Text(at, QByteArray(reinterpret_cast<const char*>(a.bytes(first)), length));
        break;
    }
    case kSetPixel: {
        m_p.setPen(QPen(ColourOf(a.u32(0)), 0));
        m_p.drawPoint(QPointF(a.s16(3), a.s16(2)));
        break;
    }
    case kPatBlt: {
        const QRectF box(a.s16(5), a.s16(4), a.s16(3), a.s16(2));
        const std::uint32_t rop = a.u32(0);
        if (rop == 0x00000042)
            m_p.fillRect(box.normalized(), Qt::black);
        else if (rop == 0x00FF0062)
            m_p.fillRect(box.normalized(), Qt::white);
        else
            m_p.fillRect(box.normalized(), m_state.brush.brush);
        break;
    }
    case kIntersectClipRect:
    case kExcludeClipRect: {
        const QRect r = Box(a, 0).toRect();
        if (!m_state.clipped) {
            m_state.clip = QRegion(m_state.window.normalized().toAlignedRect().adjusted(-1000000, -1000000, 1000000, 1000000));
            m_state.clipped = true;
        }
        if (function == kIntersectClipRect)
            m_state.clip &= r;
        else
            m_state.clip -= r;
        // A region cut into very many pieces costs time at every change: such a clip keeps its outline.
        if (m_state.clip.rectCount() > kMaxClipRects)
            m_state.clip = QRegion(m_state.clip.boundingRect());
        m_clipChanged = true;
        break;
    }
    case kDibBitBlt: {
        // rop, srcY, srcX, height, width, destY, destX, bitmap (when the record is long enough)
        const QRectF dest(a.s16(6), a.s16(5), a.s16(4), a.s16(3));
        if (a.words() <= 9) {
            m_p.fillRect(dest.normalized(), m_state.brush.brush);
            break;
        }
        Bitmap(a, 8, dest.normalized(), QRect(a.s16(2), a.s16(1), a.s16(4), a.s16(3)));
        break;
    }
    case kDibStretchBlt: {
        const QRectF dest(a.s16(8), a.s16(7), a.s16(6), a.s16(5));
        if (a.words() <= 11) {
            m_p.fillRect(dest.normalized(), m_state.brush.brush);
            break;
        }
        Bitmap(a, 10, dest.normalized(), QRect(a.s16(4), a.s16(3), a.s16(2), a.s16(1)));
        break;
    }
    case kStretchDib: {
        const QRectF dest(a.s16(10), a.s16(9), a.s16(8), a.s16(7));
        Bitmap(a, 11, dest.normalized(), QRect(a.s16(6), a.s16(5), a.s16(4), a.s16(3)));
        break;
    }
    default:
        break;
    }
}

} // namespace

WmfPlayer::WmfPlayer(const QByteArray& data) : m_data(data)
{
    qsizetype header = 0;
    bool placeable = false;
    QRectF box;
    int inch = 0;
    if (data.size() >= 22 && Le32(data, 0) == kPlaceableKey) {
        placeable = true;
        const int left = std::int16_t(Le16(data, 6)), top = std::int16_t(Le16(data, 8));
        const int right = std::int16_t(Le16(data, 10)), bottom = std::int16_t(Le16(data, 12));
        box = QRectF(QPointF(left, top), QPointF(right, bottom));
        inch = int(Le16(data, 14));
        if (inch == 0)
            Bad("no units per inch");
        header = 22;
    }
    if (data.size() < header + 18)
        Bad("cut short");
    const std::uint32_t type = Le16(data, header);
    if ((type != 1 && type != 2) || Le16(data, header + 2) != 9)
        Bad("not a metafile");
    m_objects = int(Le16(data, header + 10));

    qsizetype pos = header + 18;
    bool ended = false;
    std::optional<QPointF> origin;
    std::optional<QSizeF> extent;
    while (pos + 6 <= data.size()) {
        const std::uint64_t words = Le32(data, pos);
        const int function = int(Le16(data, pos + 4));
        if (words < 3 || words * 2 > std::uint64_t(data.size() - pos))
            Bad("a record runs past the end of the file");
        if (function == kEof) {
            ended = true;
            break;
        }
        m_records.push_back(Record{pos + 6, function, int(words - 3)});
        const Params a(data, pos + 6, int(words - 3));
        if (function == kSetWindowOrg && !origin && a.has(2))
            origin = QPointF(a.s16(1), a.s16(0));
        if (function == kSetWindowExt && !extent && a.has(2))
            extent = QSizeF(a.s16(1), a.s16(0));
        pos += qsizetype(words * 2);
    }
    if (!ended)
        Bad("cut short");

    if (placeable) {
        m_window = box;
        m_size = QSize(RoundToInt32(std::abs(box.width()) * kScreenDpi / inch),
                       RoundToInt32(std::abs(box.height()) * kScreenDpi / inch));
    } else {
        // Without the placeable header the picture is what its window says, one unit a pixel.
        if (!extent)
            Bad("no picture size");
        m_window = QRectF(origin.value_or(QPointF(0, 0)), *extent);
        m_size = QSize(RoundToInt32(std::abs(extent->width())), RoundToInt32(std::abs(extent->height())));
    }
    CheckPictureSize(m_size.width(), m_size.height(), "Windows metafile");
}

void WmfPlayer::Play(QPainter& painter, const QRectF& target) const
{
    painter.save();
    Player player(painter, target, m_window, m_objects);
    for (const Record& r : m_records)
        player.Run(Params(m_data, r.offset, r.words), r.function);
    painter.restore();
}

} // namespace lumoria::platform

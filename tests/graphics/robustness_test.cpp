// Damaged picture files, made by cutting and flipping bytes of good ones: each either loads and
// draws, or fails with InvalidPicture; nothing crashes and nothing else is raised.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"
#include "support/metafile_writer.h"
#include "support/picture_files.h"

#include <random>

using namespace lumoria;
using namespace lumoria::platform;

namespace {

// Loads and draws; true when it loaded.
bool LoadAndDraw(const QString& extension, const QByteArray& data)
{
    auto graphic = NewGraphicForExtension(extension);
    try {
        graphic->LoadFromData(data);
    } catch (const InvalidPicture&) {
        return false;
    }
    try {
        Bitmap target(37, 23);
        target.GetCanvas().StretchDraw(Rect{0, 0, 37, 23}, *graphic);
        Bitmap copy;
        copy.Assign(*graphic);
    } catch (const InvalidPicture&) {
    }
    return true;
}

void Damage(const QString& extension, const QByteArray& good, int rounds)
{
    std::mt19937 random(1234);
    ASSERT_TRUE(LoadAndDraw(extension, good));
    for (int i = 0; i < rounds; ++i) {
        QByteArray bad = good;
        switch (i % 3) {
        case 0: // cut short anywhere
            bad.truncate(qsizetype(random() % std::uint32_t(good.size())));
            break;
        case 1: // a few bytes changed, often in the headers
            for (int k = 0; k < 4; ++k) {
                const qsizetype at = (random() % 2) ? qsizetype(random() % 64) : qsizetype(random() % std::uint32_t(good.size()));
                if (at < bad.size())
                    bad[at] = char(random());
            }
            break;
        default: // one byte set to an extreme value
            bad[qsizetype(random() % std::uint32_t(good.size()))] = (random() % 2) ? char(0xff) : char(0x7f);
            break;
        }
        SCOPED_TRACE(i);
        EXPECT_NO_FATAL_FAILURE(LoadAndDraw(extension, bad));
    }
}

QImage Sample()
{
    return test::QuadrantsImage(48, 32, QColor(200, 10, 10), QColor(10, 200, 10), QColor(10, 10, 200), QColor(200, 200, 10));
}

} // namespace

TEST(Robustness, DamagedBmps)
{
    for (int bits : {1, 4, 8, 24, 32})
        Damage(QStringLiteral("bmp"), test::BmpBytes(bits == 1 ? test::HalvesImage(48, 32, Qt::black, Qt::white) : Sample(), bits), 300);
}

TEST(Robustness, DamagedJpegs)
{
    Damage(QStringLiteral("jpg"), test::ReadBytes(test::WriteJpeg(QStringLiteral("r.jpg"), Sample())), 600);
}

TEST(Robustness, DamagedGifs)
{
    Damage(QStringLiteral("gif"), test::GifBytes(Sample()), 600);
}

TEST(Robustness, DamagedIcons)
{
    Damage(QStringLiteral("ico"), test::IcoBytes(Sample()), 400);
}

TEST(Robustness, DamagedMetafiles)
{
    const std::vector<test::MetaRect> rects = {{QRect(5, 5, 20, 10), Qt::red}, {QRect(10, 12, 30, 15), Qt::blue}};
    Damage(QStringLiteral("wmf"), test::MakeWmf(60, 40, rects), 600);
    Damage(QStringLiteral("emf"), test::MakeEmf(60, 40, rects), 600);
}

#include <gtest/gtest.h>

#include "album/geometry.h"
#include "album_test_support.h"
#include "platform/failure.h"

#include <limits>

using namespace lumoria;

TEST(Geometry, CoordinateMappingRoundsHalvesToEven)
{
    EXPECT_EQ(MapearCoordenada(0, 210, 100, 0, 300), 143); // 142.86
    EXPECT_EQ(MapearCoordenada(0, 297, 100, 0, 400), 135); // 134.68
    EXPECT_EQ(MapearCoordenada(0, 4, 1, 0, 10), 2);        // 2.5
    EXPECT_EQ(MapearCoordenada(0, 4, 3, 0, 10), 8);        // 7.5
    EXPECT_EQ(MapearCoordenada(0, 4, -1, 0, 10), -2);      // -2.5
    EXPECT_EQ(MapearCoordenada(10, 110, 60, 100, 200), 150);
    EXPECT_EQ(MapearCoordenada(0, 100, 25, 200, 100), 175); // a falling target range
}

TEST(Geometry, AnEmptySourceRangeGivesTheTargetStart)
{
    EXPECT_EQ(MapearCoordenada(5, 5, 5, 7, 900), 7);
    EXPECT_EQ(MapearCoordenada(0, 0, 123, -4, 4), -4);
    // A page without width mapped onto a canvas: every corner lands on the canvas's edge.
    EXPECT_EQ(MapearPontoEntreRetangulos({0, 0, 0, 0}, {10, 20}, {3, 4, 800, 600}), (Point{3, 4}));
}

TEST(Geometry, ResultsBeyond32BitsAreARangeFailure)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_THROW(MapearCoordenada(0, 1, 3, 0, kMax), RangeError);
    // Differences of 33 bits multiply without overflow.
    EXPECT_THROW(MapearCoordenada(kMin, kMin + 1, kMax, kMin, kMax), RangeError);
    EXPECT_EQ(MapearCoordenada(kMin, kMax, kMax, kMin, kMax), kMax);
    EXPECT_EQ(MapearCoordenada(kMin, kMax, kMin, kMin, kMax), kMin);
    EXPECT_EQ(MapearCoordenada(kMin, kMax, 0, 0, 2), 1);
}

TEST(Geometry, PointMapping)
{
    EXPECT_EQ(MapearPontoEntreRetangulos({0, 0, 210, 297}, {100, 100}, {0, 0, 300, 400}), (Point{143, 135}));
    // Back from page pixels to millimetres.
    EXPECT_EQ(MapearPontoEntreRetangulos({0, 0, 403, 570}, {201, 285}, {0, 0, 210, 297}), (Point{105, 148}));
    EXPECT_EQ(MapearPontoEntreRetangulos({10, 20, 110, 220}, {60, 120}, {100, 100, 200, 300}), (Point{150, 200}));
}

TEST(Geometry, RectangleMappingMapsBothCorners)
{
    const Rect page{0, 0, 210, 297};
    EXPECT_EQ(MapearRetanguloEntreRetangulos(page, {15, 28, 105, 148}, {0, 0, 9917, 14033}),
              (Rect{708, 1323, 4958, 6993})); // 4958.5 rounds to even
    EXPECT_EQ(MapearRetanguloEntreRetangulos(page, page, {7, 9, 500, 700}), (Rect{7, 9, 500, 700}));
}

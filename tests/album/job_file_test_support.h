#pragma once
// Job files written by hand from the format, for the reader tests: lines by position, which a test
// may replace, cut or end differently.
#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <initializer_list>
#include <map>
#include <vector>

#include "support/test_files.h"

namespace lumoria::jobfiletest {

// Line positions: the header, then each page's lines from its first, then each frame's.
constexpr int kPageCountLine = 7;
constexpr int kCurrentPageLine = 10;
constexpr int kPage0 = 12;
constexpr int kPaperType = 1, kPaperWidth = 2, kPaperHeight = 3;
constexpr int kPhotoType = 6, kPhotoWidth = 7, kPhotoHeight = 8, kCustom1 = 9, kCustom2 = 10;
constexpr int kPageLeft = 13, kPageTop = 14, kPageRight = 15, kPageBottom = 16;
constexpr int kFrameCount = 19, kFrame0 = 21, kPageSize = 21;
constexpr int kFrameLeft = 1, kFrameTop = 2, kFrameRight = 3, kFrameBottom = 4, kFrameFit = 5, kFrameName = 6;
constexpr int kFrameSize = 8;

// The bytes written as a job file of its own in the test's home.
inline QString writtenJob(const QByteArray& bytes)
{
    static int serial = 0;
    const QString path = test::freshFolder(QStringLiteral("jobs")) + QStringLiteral("/job%1.pvo").arg(++serial);
    test::writeFile(path, bytes);
    return path;
}

// One line of the file: 10 blanks per level, the text, CR LF.
inline QByteArray line(int level, const QByteArray& text) { return QByteArray(level * 10, ' ') + text + "\r\n"; }

struct FrameText {
    int left, top, right, bottom, fit;
    QByteArray name;
};

struct PageText {
    int paperType, photoType, custom1, custom2;
    std::array<int, 4> rect; // left, top, right, bottom
    std::vector<FrameText> frames;
};

struct JobText {
    std::vector<PageText> pages;
    int currentPage = 0;
    // Replaces whole lines (indentation included) by position.
    std::map<int, QByteArray> lines;

    QList<QByteArray> lineList() const
    {
        QList<QByteArray> out;
        auto add = [&](int level, const QByteArray& text) { out << QByteArray(level * 10, ' ') + text; };
        // A title, its values one a line, then a blank line.
        auto block = [&](int level, const QByteArray& title, std::initializer_list<long long> values) {
            add(level, title);
            for (long long v : values)
                add(level, QByteArray::number(v));
            add(level, "");
        };
        add(0, "Name:");
        add(0, "Lumoria");
        add(0, "");
        add(0, "Version:");
        add(0, "9.8.7.6");
        add(0, "");
        block(0, "Number Of Pages:", {static_cast<long long>(pages.size())});
        block(0, "Actual Page Index", {currentPage});
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const PageText& p = pages[i];
            const QByteArray page = "Page " + QByteArray::number(static_cast<int>(i)) + ", ";
            block(1, page + "Paper Type, Size:", {p.paperType, 210, 297});
            block(1, page + "Photo Type, Size, Personalized Size:", {p.photoType, 90, 120, p.custom1, p.custom2});
            block(1, page + "Paper, Dimensions In Millimeters (Left, Top, Right, Bottom):",
                  {p.rect[0], p.rect[1], p.rect[2], p.rect[3]});
            block(1, page + "Number Of Photos:", {static_cast<long long>(p.frames.size())});
            for (std::size_t j = 0; j < p.frames.size(); ++j) {
                const FrameText& f = p.frames[j];
                add(2, page + "Photo " + QByteArray::number(static_cast<int>(j)) +
                           ", Dimensions In Millimeters (Left, Top, Right, Bottom), And FileName:");
                for (int v : {f.left, f.top, f.right, f.bottom, f.fit})
                    add(2, QByteArray::number(v));
                add(2, f.name);
                add(2, "");
            }
        }
        for (const auto& [position, text] : lines)
            out[position] = text;
        return out;
    }

    QByteArray bytes(const QByteArray& end = "\r\n") const
    {
        QByteArray out;
        for (const QByteArray& l : lineList())
            out += l + end;
        return out;
    }
};

} // namespace lumoria::jobfiletest

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QWidget>

#include "platform/ui/align_layout.h"

using namespace lumoria::platform;

namespace {

QWidget* child(QWidget* parent, int w, int h)
{
    auto* c = new QWidget(parent);
    c->resize(w, h);
    return c;
}

} // namespace

TEST(AlignLayout, EdgesInOrderThenClient)
{
    QWidget parent;
    parent.resize(400, 300);
    auto* layout = new AlignLayout(&parent);
    QWidget* client = child(&parent, 10, 10);
    QWidget* top1 = child(&parent, 10, 20);
    QWidget* left = child(&parent, 30, 10);
    QWidget* bottom = child(&parent, 10, 40);
    QWidget* top2 = child(&parent, 10, 25);
    QWidget* right = child(&parent, 50, 10);
    QWidget* free = child(&parent, 7, 7);
    free->move(3, 4);
    layout->addWidget(client, Align::Client);
    layout->addWidget(top1, Align::Top);
    layout->addWidget(left, Align::Left);
    layout->addWidget(bottom, Align::Bottom);
    layout->addWidget(top2, Align::Top);
    layout->addWidget(right, Align::Right);
    layout->activate();

    EXPECT_EQ(top1->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(top2->geometry(), QRect(0, 20, 400, 25));
    EXPECT_EQ(bottom->geometry(), QRect(0, 260, 400, 40));
    EXPECT_EQ(left->geometry(), QRect(0, 45, 30, 215));
    EXPECT_EQ(right->geometry(), QRect(350, 45, 50, 215));
    EXPECT_EQ(client->geometry(), QRect(30, 45, 320, 215));
    EXPECT_EQ(free->geometry(), QRect(3, 4, 7, 7));
    EXPECT_EQ(layout->alignOf(left), Align::Left);
    EXPECT_EQ(layout->alignOf(free), Align::None);
}

TEST(AlignLayout, HiddenControlsTakeNoRoomAndResizedOnesMoveTheirNeighbours)
{
    QWidget parent;
    parent.resize(200, 200);
    auto* layout = new AlignLayout(&parent);
    QWidget* a = child(&parent, 10, 30);
    QWidget* b = child(&parent, 10, 54);
    layout->addWidget(a, Align::Top);
    layout->addWidget(b, Align::Top);
    parent.show();
    layout->activate();
    EXPECT_EQ(b->geometry(), QRect(0, 30, 200, 54));

    a->hide();
    layout->activate();
    EXPECT_EQ(b->geometry(), QRect(0, 0, 200, 54));

    a->show();
    a->resize(a->width(), 70);
    QCoreApplication::processEvents();
    layout->activate();
    EXPECT_EQ(a->geometry(), QRect(0, 0, 200, 70));
    EXPECT_EQ(b->geometry(), QRect(0, 70, 200, 54));

    parent.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(b->geometry(), QRect(0, 70, 300, 54));
}

TEST(AlignLayout, AutoSizeFollowsAWrappedLabel)
{
    QWidget window;
    window.resize(532, 10);
    auto* layout = new AlignLayout(&window);
    auto* label = new QLabel(&window);
    label->setWordWrap(true);
    label->setText("short");
    QWidget* panel = child(&window, 10, 54);
    layout->addWidget(label, Align::Top, true);
    layout->addWidget(panel, Align::Top);
    layout->setAutoSize(true);
    layout->activate();

    const int oneLine = label->height();
    EXPECT_GT(oneLine, 0);
    EXPECT_EQ(label->width(), 532);
    EXPECT_EQ(panel->geometry(), QRect(0, oneLine, 532, 54));
    EXPECT_EQ(window.height(), oneLine + 54);
    EXPECT_EQ(layout->contentHeight(532), oneLine + 54);

    label->setText(QString("palavra ").repeated(60));
    layout->activate();
    EXPECT_GT(label->height(), 2 * oneLine);
    EXPECT_EQ(label->height(), label->heightForWidth(532));
    EXPECT_EQ(panel->y(), label->height());
    EXPECT_EQ(window.height(), label->height() + 54);
    EXPECT_EQ(window.width(), 532);
}

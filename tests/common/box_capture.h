#pragma once
// Captures the boxes the failure handler and the screen check would show, and their beeps, for the
// life of the object (the program's own box and beep come back afterwards).
#include <QList>
#include <QString>

#include <functional>

#include "common/box_hooks.h"

namespace lumoria::test {

struct ShownBox {
    QString texto, titulo, botao2, botao1;
    bool erro = false;
};

class BoxCapture {
public:
    BoxCapture()
    {
        m_box = setBoxFunction([this](const QString& t, const QString& c, const QString& b2, const QString& b1, bool e) {
            boxes.append({t, c, b2, b1, e});
            if (onBox)
                onBox();
            return 6;
        });
        m_beep = setBeepFunction([this] { ++beeps; });
    }
    ~BoxCapture()
    {
        setBoxFunction(m_box);
        setBeepFunction(m_beep);
    }
    BoxCapture(const BoxCapture&) = delete;
    BoxCapture& operator=(const BoxCapture&) = delete;

    QList<ShownBox> boxes;
    int beeps = 0;
    std::function<void()> onBox;  // runs while the box "shows"

private:
    BoxFunction m_box;
    BeepFunction m_beep;
};

} // namespace lumoria::test

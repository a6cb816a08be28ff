#include <gtest/gtest.h>

#include <QList>
#include <QTest>

#include "common/qstring_printer.h"
#include "common/box_capture.h"
#include "common/box_hooks.h"
#include "common/custom_cursors.h"
#include "common/failure_messages.h"
#include "common/message_window.h"
#include "common/modal_helper.h"
#include "platform/failure.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/termination.h"

using namespace lumoria;

namespace {

class FailureHandler : public ::testing::Test {
protected:
    void SetUp() override { installFailureHandler(); }
    void TearDown() override
    {
        platform::setFailureHandler(nullptr);
        platform::setScreenCursor(platform::kCursorDefault);
        platform::clearTerminationRequest();
    }

    test::BoxCapture capture;
    QList<test::ShownBox>& boxes = capture.boxes;
    int& beeps = capture.beeps;
    std::function<void()>& onBox = capture.onBox;
};

} // namespace

TEST_F(FailureHandler, AWarningBeepsAndGoesOnAnErrorShowsTheDarkBoxAndThenEndsTheProgram)
{
    const struct {
        const char* what;
        std::function<void()> failure;
        const char* texto;
        const char* titulo; // how the caption ends
        bool erro;
    } cases[] = {
        {"a warning", [] { throw GuideNotFound(); },
         "O Arquivo Contendo o Guia Eletrônico Do \r\nUsuário Não Está Instalado.", "- Mensagem de Advertência", false},
        {"an error", [] { throw AlreadyRunning(); },
         "Este Programa Já Está Em Execução. \r\nUtilize a Cópia Que Está Em \r\nFuncionamento!", "- Mensagem de Erro", true},
        {"an unknown failure", [] { throw std::runtime_error("Range check error"); },
         "Mensagem de Erro\r\n\r\nRANGE CHECK ERROR", "- Mensagem de Erro", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        beeps = 0;
        platform::clearTerminationRequest();
        bool endedBeforeTheBox = true;
        onBox = [&] { endedBeforeTheBox = platform::terminationRequested(); };
        EXPECT_FALSE(platform::runGuarded(c.failure));
        EXPECT_EQ(beeps, 1);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].texto, QString::fromUtf8(c.texto));
        EXPECT_TRUE(boxes[0].titulo.endsWith(QString::fromUtf8(c.titulo))) << boxes[0].titulo.toStdString();
        EXPECT_EQ(boxes[0].botao2, QString());
        EXPECT_EQ(boxes[0].botao1, "Sim");
        EXPECT_EQ(boxes[0].erro, c.erro);
        EXPECT_FALSE(endedBeforeTheBox);
        EXPECT_EQ(platform::terminationRequested(), c.erro);
    }
    onBox = nullptr;
}

TEST_F(FailureHandler, ExhaustedMemoryIsSilentAndPutsTheOrdinaryCursorBack)
{
    {
        platform::ScreenCursorGuard busy(platform::kCursorWait);
        platform::runGuarded([] { throw std::bad_alloc(); });
    }
    platform::runGuarded([] { throw OutOfMemory(); });
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(platform::screenCursor(), crNormal);
    EXPECT_FALSE(platform::terminationRequested());
}

TEST_F(FailureHandler, AFailureWhileTheBoxShowsEndsTheProgramWithoutASecondBox)
{
    onBox = [] { platform::runGuarded([] { throw GuideNotFound(); }); };
    platform::runGuarded([] { throw GuideNotFound(); });
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(platform::terminationRequested());
}

TEST_F(FailureHandler, TheRealBoxShowsTheMessage)
{
    setBoxFunction(nullptr);
    QString caption, label;
    bool dark = false;
    test::WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        if (auto* form = qobject_cast<TfrmDialogo*>(w)) {
            label = form->LabelText();
            dark = form->Color() == 0x0000BF;
        }
        QTest::keyClick(w, Qt::Key_Return);
    });
    platform::runGuarded([] { throw FileInUse("/tmp/a.pvo"); });
    EXPECT_TRUE(caption.endsWith("- Mensagem de Erro"));
    EXPECT_TRUE(label.contains(QString::fromUtf8("O Banco de Dados Deste Programa Já")));
    EXPECT_TRUE(dark);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(platform::terminationRequested());
}

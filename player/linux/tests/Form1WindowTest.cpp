// The player's window with its engine, as the start-up shows it for a source: its design,
// and how it ends.
#include "Form1Window.h"

#include "Module1.h"
#include "QtText.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kGenerousMs = 30000;

std::unique_ptr<Form1Window> ShownWindow(const QString& source)
{
    gMediaPath = ToText(source);
    PlatformError error;
    auto window = Form1Window::Create(error);
    EXPECT_FALSE(error);
    window->showMaximized();
    return window;
}

TEST(Form1Window, IsTheDesignedFramelessWindowWithTheEngineExactlyAsLarge)
{
    auto window = ShownWindow(PEXALO_SAMPLE_CLIP);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), "Form1");
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->geometry(), window->screen()->availableGeometry()) << "opened maximised";
    for (const QSize size : {QSize(640, 480), QSize(321, 203), QSize(1, 1), QSize(799, 599), QSize(1000, 17)}) {
        window->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }, 5000)) << size.width();
        EXPECT_EQ(window->RealAudio1().geometry(), QRect(QPoint(0, 0), size)) << size.width() << "x" << size.height();
    }
}

TEST(Form1WindowDeathTest, EscapeEndsTheProcessEvenWhileTheEngineHasTheFocusWithOneAfterAFailure)
{
    const struct { const char* path; int status; } cases[] = {{PEXALO_SAMPLE_CLIP, 0}, {"/nonexistent/clip.rm", 1}};
    for (const auto& c : cases) {
        auto window = ShownWindow(c.path);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->RealAudio1().AnyFailed() == (c.status != 0); }, kGenerousMs));
        // As the desktop delivers it: to the window, which hands it to the engine that has the focus.
        window->RealAudio1().setFocus();
        EXPECT_EXIT(QTest::keyClick(window->windowHandle(), Qt::Key_Escape), testing::ExitedWithCode(c.status), "")
            << c.path;
    }
}

TEST(Form1WindowDeathTest, ReportsAnErrorInAMessageBoxAndOnStandardErrorThenEndsWithOne)
{
    auto window = ShownWindow(PEXALO_SAMPLE_CLIP);
    const auto reportAndAnswerTheBox = [&] {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::fprintf(stderr, "box: %s\n", qPrintable(box->text()));
                box->accept();
            }
        });
        poll.start(20);
        window->ReportErrorAndEnd({0x80004005});
    };
    EXPECT_EXIT(reportAndAnswerTheBox(), testing::ExitedWithCode(1),
                "Pexalo: error 0x80004005: Unspecified error.*box: error 0x80004005: Unspecified error");
}

} // namespace

#include "EngineHarness.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace {

constexpr int kGenerousMs = 30000;

TEST(MediaEngine, PlaysTheClipAndPlaysItAgainAfterEachEnd)
{
    EngineHarness h;
    h.Load(PEXALO_SAMPLE_CLIP);
    // The clip lasts three seconds: two ends take about six.
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.Count(EngineState::Stopped) >= 2; }, kGenerousMs));

    const auto at = [&](EngineState state, std::size_t from) {
        return static_cast<std::size_t>(
            std::find(h.states.begin() + static_cast<std::ptrdiff_t>(from), h.states.end(), static_cast<qint32>(state)) -
            h.states.begin());
    };
    const std::size_t firstPlay = at(EngineState::Playing, 0);
    const std::size_t firstEnd = at(EngineState::Stopped, 0);
    const std::size_t playAgain = at(EngineState::Playing, firstEnd);
    ASSERT_LT(firstPlay, firstEnd) << "must play before it ends";
    ASSERT_LT(playAgain, h.states.size()) << "must play again after the end";
    EXPECT_GT(h.positions[firstEnd], 2.5) << "ends at the end of the three seconds";
    EXPECT_LT(h.positions[playAgain], 1.0) << "plays again from the start";
    EXPECT_GE(h.control.calls[kDispIdPlay], 1);
    EXPECT_EQ(h.Count(EngineState::Failed), 0);
    EXPECT_TRUE(h.engine->FailureText().isEmpty());
}

TEST(MediaEngine, DrawsTheVideoInItsColoursIntoEveryKindOfImage)
{
    EngineHarness h;
    h.Load(PEXALO_SAMPLE_CLIP);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::atof(h.engine->Property("time-pos").c_str()) > 0.2; }, kGenerousMs));
    const QSize size = h.engine->size();
    const struct {
        const char* fault;
        QImage::Format format;
        int left;  // where the engine starts in the image
    } cases[] = {
        {"X11's backing store: the bytes in the wrong order", QImage::Format_RGB32, 0},
        {"Wayland's backing store: the window left transparent", QImage::Format_ARGB32_Premultiplied, 0},
        {"a format the engine cannot draw into", QImage::Format_RGB16, 0},
        {"the engine in part of each row: the rest overwritten", QImage::Format_RGB32, 16},
    };
    for (const auto& c : cases) {
        QImage image(size + QSize(c.left, 0), c.format);
        image.fill(Qt::white);
        h.engine->render(&image, QPoint(c.left, 0));
        const QImage shown = image.convertToFormat(QImage::Format_ARGB32);
        // The clip's colour bars: blue left of the middle, yellow right of it.
        const QColor blue = shown.pixelColor(c.left + size.width() * 44 / 100, size.height() * 3 / 10);
        const QColor yellow = shown.pixelColor(c.left + size.width() * 56 / 100, size.height() * 3 / 10);
        EXPECT_TRUE(blue.blue() > 200 && blue.red() < 60 && blue.green() < 60) << c.fault << ": " << blue.name().toStdString();
        EXPECT_TRUE(yellow.red() > 200 && yellow.green() > 200 && yellow.blue() < 60) << c.fault;
        EXPECT_EQ(blue.alpha(), 255) << c.fault;
        if (c.left) {
            EXPECT_EQ(shown.pixelColor(c.left - 1, 0), QColor(Qt::white)) << c.fault;
        }
    }
}

TEST(MediaEngine, ShowsASourceThatCannotBePlayedAndNeverRetriesIt)
{
    QTemporaryDir folder;
    const struct {
        const char* name;
        std::function<QString()> make;
        const char* reason;  // part of the text shown, or empty for any
    } cases[] = {
        {"missing file", [&] { return folder.filePath("missing.rm"); }, "No such file"},
        {"corrupt file",
         [&] {
             const QString path = folder.filePath("corrupt.rm");
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write(".RMF\0\0\0\x12", 8);
             for (int i = 0; i < 4096; ++i)
                 file.putChar(static_cast<char>(i * 7919 % 251));
             return path;
         },
         ""},
        {"clip without a frame", [] { return QString(PEXALO_EMPTY_CLIP); }, "nothing"},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        const QString path = c.make();
        h.Load(path);
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.Count(EngineState::Failed) > 0; }, kGenerousMs)) << c.name;
        // Long enough for a busy retry loop to show itself many times over.
        QTest::qWait(1500);
        EXPECT_EQ(h.Count(EngineState::Failed), 1) << c.name;
        EXPECT_EQ(h.Count(EngineState::Stopped), 0) << c.name;
        EXPECT_EQ(h.control.calls[kDispIdPlay], 0) << c.name;
        const QStringList shown = h.engine->FailureText().split('\n');
        ASSERT_EQ(shown.size(), 2) << c.name;
        EXPECT_EQ(shown[0], path) << c.name;
        EXPECT_FALSE(shown[1].isEmpty()) << c.name;
        EXPECT_TRUE(shown[1].contains(c.reason)) << c.name << ": " << shown[1].toStdString();
    }
}

TEST(MediaEngine, AppliesThePersistedStateAndIgnoresADamagedOne)
{
    const PersistedState intact = RealAudio1PersistedState();
    PersistedState damaged = intact;
    damaged[16] ^= 0xFF;
    const QColor desktop = QGuiApplication::palette().color(QPalette::Window);
    ASSERT_NE(desktop, QColor(Qt::black)) << "the test needs defaults that differ from the state";

    const struct {
        const char* name;
        std::span<const std::uint8_t> state;
        QColor background;
        const char* osdLevel;
    } cases[] = {
        {"intact: black, video only", intact, Qt::black, "0"},
        {"damaged: defaults", damaged, desktop, "1"},
    };
    for (const auto& c : cases) {
        EngineHarness h(c.state);
        EXPECT_EQ(QColor(QString::fromStdString(h.engine->Property("background"))).rgb(), c.background.rgb())
            << c.name;
        EXPECT_EQ(h.engine->palette().color(QPalette::Window).rgb(), c.background.rgb()) << c.name;
        EXPECT_EQ(h.engine->Property("osd-level"), c.osdLevel) << c.name;
    }
}

TEST(MediaEngine, AnswersBadCallsAsAnAutomationObjectDoes)
{
    const Variant yes = Variant::Bool(true);
    const struct {
        const char* fault;
        std::int32_t dispId;
        std::vector<Variant> args;
        std::uint32_t code;
    } cases[] = {
        {"an unknown member", 999, {}, 0x80020003},
        {"277 needs its Boolean", kDispIdAutoStart, {}, 0x8002000E},
        {"277 with a string", kDispIdAutoStart, {Variant::String(u"yes")}, 0x80020005},
        {"277 with a Boolean by reference is fine", kDispIdAutoStart, {Variant::ByRef(yes)}, 0},
        {"215 with a Boolean", kDispIdSource, {yes}, 0x80020005},
        {"257 takes no argument", kDispIdPlay, {yes}, 0x8002000E},
        {"257 before any source does nothing", kDispIdPlay, {}, 0},
    };
    EngineHarness h;
    for (const auto& c : cases)
        EXPECT_EQ(h.engine->Invoke(c.dispId, c.args).code, c.code) << c.fault;
}

} // namespace

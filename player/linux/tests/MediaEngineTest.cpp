#include "EngineHarness.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>

namespace {

constexpr int kGenerousMs = 30000;

void WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(contents);
}

// Python's own HTTP server on a free loopback port, serving a folder and logging each request.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(const QString& folder)
    {
        server_.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
        QByteArray banner;  // "Serving HTTP on 127.0.0.1 port 41234 (...)"
        EXPECT_TRUE(QTest::qWaitFor([&] { return (banner += server_.readAllStandardOutput()).contains(" port "); },
                                    kGenerousMs));
        port_ = QRegularExpression(" port (\\d+)").match(QString::fromLatin1(banner)).captured(1);
    }
    ~LoopbackHttpServer()
    {
        server_.kill();
        server_.waitForFinished();
    }
    QString Url(const QString& name) const { return "http://127.0.0.1:" + port_ + "/" + name; }
    // The request lines so far: "GET /clip.rm HTTP/1.1" and the like.
    QString Requests() { return log_ += QString::fromUtf8(server_.readAllStandardError()); }

private:
    QProcess server_;
    QString port_;
    QString log_;
};

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

TEST(MediaEngine, PlaysTheClipsAMetafileListsInOrderAndThenPlaysTheListAgain)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(PEXALO_SAMPLE_CLIP, folder.filePath("served.rm")));
    ASSERT_TRUE(QFile::copy(PEXALO_SAMPLE_CLIP, folder.filePath("clip one.rm")));
    LoopbackHttpServer server(folder.path());
    const QString metafile = folder.filePath("list.ram");
    WriteFile(metafile, ("# clips\r\n\r\n" + server.Url("served.rm?start=2") + "\r\nmissing.rm\r\n clip one.rm\r\n"
                         "--stop--\r\n" + server.Url("after-stop.rm") + "\r\n").toUtf8());

    EngineHarness h;
    h.Load(metafile);
    const std::vector<std::string> inOrder = {server.Url("served.rm").toStdString(),
                                              folder.filePath("clip one.rm").toStdString()};
    std::vector<std::string> played;
    QString skipped;  // shown while the next clip plays
    ASSERT_TRUE(QTest::qWaitFor([&] {
        if (skipped.isEmpty())
            skipped = h.engine->FailureText();
        played.clear();
        for (std::size_t i = 0; i < h.states.size(); ++i)
            if (h.states[i] == static_cast<qint32>(EngineState::Playing) && (played.empty() || played.back() != h.paths[i]))
                played.push_back(h.paths[i]);
        return played.size() >= 3;
    }, kGenerousMs)) << "the list did not play through and start again" << testing::PrintToString(h.states) << testing::PrintToString(h.paths);
    EXPECT_EQ(played, (std::vector<std::string>{inOrder[0], inOrder[1], inOrder[0]}));
    EXPECT_EQ(skipped, folder.filePath("missing.rm") + "\nNo such file or directory")
        << "the missing clip must be skipped with its reason";
    EXPECT_EQ(h.Count(EngineState::Failed), 0);
    const QString requests = server.Requests();
    EXPECT_TRUE(requests.contains("\"GET /served.rm HTTP/")) << "the query is not part of the location: "
                                                             << requests.toStdString();
    EXPECT_FALSE(requests.contains("after-stop")) << "a clip after --stop-- was fetched";
}

TEST(MediaEngine, ShowsWhyNothingCouldBePlayedAndNeverRetriesIt)
{
    QTemporaryDir folder;
    LoopbackHttpServer server(folder.path());
    // A media file that is really a playlist of clips on the network, as a download may be.
    WriteFile(folder.filePath("playlist.rm"), ("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:1,\n" +
                                               server.Url("listed-inside.rm") + "\n#EXT-X-ENDLIST\n").toUtf8());
    QByteArray corrupt(".RMF\0\0\0\x12", 8);
    for (int i = 0; i < 4096; ++i)
        corrupt.append(static_cast<char>(i * 7919 % 251));
    WriteFile(folder.filePath("corrupt.rm"), corrupt);
    WriteFile(folder.filePath("failing.ram"),
              ("missing.rm\n" + server.Url("absent.rm") + "\npnm://example.invalid/a.rm\n").toUtf8());
    WriteFile(folder.filePath("empty.ram"), "# nothing but a comment\n");

    using Shown = std::vector<std::pair<QString, const char*>>;  // each location, and part of its reason
    const struct {
        const char* name;
        QString source;
        Shown shown;
    } cases[] = {
        {"missing file", folder.filePath("missing.rm"), {{folder.filePath("missing.rm"), "No such file"}}},
        {"corrupt file", folder.filePath("corrupt.rm"), {{folder.filePath("corrupt.rm"), ""}}},
        {"clip without a frame", PEXALO_EMPTY_CLIP, {{PEXALO_EMPTY_CLIP, "nothing"}}},
        {"media file holding a playlist", folder.filePath("playlist.rm"), {{folder.filePath("playlist.rm"), "format"}}},
        {"metafile of which nothing plays", folder.filePath("failing.ram"),
         {{folder.filePath("missing.rm"), "No such file"},
          {server.Url("absent.rm"), "404"},
          {"pnm://example.invalid/a.rm", "not a location"}}},
        {"metafile that lists nothing", folder.filePath("empty.ram"), {{folder.filePath("empty.ram"), "no clip"}}},
        {"metafile that cannot be read", folder.filePath("missing.ram"), {{folder.filePath("missing.ram"), "No such file"}}},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        h.Load(c.source);
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.Count(EngineState::Failed) > 0; }, kGenerousMs)) << c.name;
        // Long enough for a busy retry loop to show itself many times over.
        QTest::qWait(1500);
        EXPECT_EQ(h.Count(EngineState::Failed), 1) << c.name;
        EXPECT_EQ(h.Count(EngineState::Stopped), 0) << c.name;
        EXPECT_EQ(h.control.calls[kDispIdPlay], 0) << c.name;
        EXPECT_TRUE(h.engine->AnyFailed()) << c.name;
        const QStringList shown = h.engine->FailureText().split('\n');
        ASSERT_EQ(shown.size(), 2 * c.shown.size()) << c.name << ": " << shown.join('|').toStdString();
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            EXPECT_EQ(shown[2 * i], c.shown[i].first) << c.name;
            EXPECT_FALSE(shown[2 * i + 1].isEmpty()) << c.name;
            EXPECT_TRUE(shown[2 * i + 1].contains(c.shown[i].second)) << c.name << ": " << shown[2 * i + 1].toStdString();
        }
    }
    EXPECT_FALSE(server.Requests().contains("listed-inside")) << "the engine followed a playlist inside a media file";
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

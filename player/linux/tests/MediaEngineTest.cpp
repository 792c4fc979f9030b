// The media engine driven through its dispatch interface as Form1 drives it: the look the
// persisted state gives it, its answers to bad calls, its frames in every kind of image a
// window may hand it, and what it plays of each source.
#include "Confinement.h"
#include "EngineThreadProbe.h"
#include "Landlock.h"
#include "MediaEngine.h"
#include "QtText.h"
#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdlib>

#include <arpa/inet.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

using namespace std::literals;
constexpr int kGenerousMs = 30000;

std::unique_ptr<MediaEngine> Engine(std::span<const std::uint8_t> state = RealAudio1PersistedState())
{
    PlatformError error;
    auto engine = MediaEngine::Create(nullptr, state, error);
    EXPECT_FALSE(error);
    return engine;
}

TEST(MediaEngine, TakesItsLookFromTheWindowsStateAndTheDesktopsFromADamagedOne)
{
    const QColor desktop = QGuiApplication::palette().color(QPalette::Window);
    ASSERT_NE(desktop, QColor(Qt::black)) << "the test needs defaults that differ from the state";
    // Each case puts bytes over the window's state at an offset.
    struct Case { const char* fault; std::size_t at; std::string_view put; QColor background; const char* osdLevel; };
    const Case cases[] = {
        {"the window's state is black and video only", 0, ""sv, Qt::black, "0"},
        {"a colour is read in either case", 95, "#1a2B3c"sv, QColor(0x1A2B3C), "0"},
        {"other controls than the video show the engine's messages", 28, "ImageWindoX"sv, Qt::black, "1"},
        // Damage the fuzz harness cannot tell from a well-formed state.
        {"a wrong first marker", 0, "\x20"sv, desktop, "1"},
        {"an extent of another length", 4, "\x0c\0\0\0"sv, desktop, "1"},
        {"a wrong second marker", 16, "\xcf"sv, desktop, "1"},
        {"a colour that is not hexadecimal", 95, "#00000G"sv, desktop, "1"},
        {"a colour without its hash", 95, "0000000"sv, desktop, "1"},
    };
    for (const auto& c : cases) {
        PersistedState state = RealAudio1PersistedState();
        std::copy(c.put.begin(), c.put.end(), state.begin() + static_cast<std::ptrdiff_t>(c.at));
        const auto engine = Engine(state);
        EXPECT_EQ(QColor(QString::fromStdString(engine->Property("background"))).rgb(), c.background.rgb()) << c.fault;
        EXPECT_EQ(engine->palette().color(QPalette::Window).rgb(), c.background.rgb()) << c.fault;
        EXPECT_EQ(engine->Property("osd-level"), c.osdLevel) << c.fault;
    }
}

TEST(MediaEngine, StopsAtAnOptionThatKeepsFilesOnlyMediaWhenTheEngineRefusesIt)
{
    struct Case { const char* fault; EngineOption option; const char* refused; } const cases[] = {
        {"a refused safety option is passed over", {"access-refs", "no", true}, "access-refs=no: option not found"},
        {"a safety option's refused value is passed over", {"ytdl", "maybe", true}, "ytdl=maybe: error setting option"},
        {"another refused option stops the engine", {"no-such-look", "1"}, ""},
        {"an accepted safety option stops the engine", {"access-references", "no", true}, ""},
    };
    for (const auto& c : cases) {
        const MpvHandle mpv(mpv_create());
        EXPECT_EQ(ApplyOptions(mpv.get(), {&c.option, 1}), c.refused) << c.fault;
    }
}

TEST(MediaEngine, AnswersBadCallsAsAnAutomationObjectDoes)
{
    const Variant yes = Variant::Bool(true);
    struct Case { const char* fault; std::int32_t dispId; std::vector<Variant> args; std::uint32_t code; } const cases[] = {
        {"an unknown member", 999, {}, 0x80020003},
        {"277 needs its Boolean", kDispIdAutoStart, {}, 0x8002000E},
        {"277 with a string", kDispIdAutoStart, {Variant::String(u"yes")}, 0x80020005},
        {"277 with a Boolean by reference is fine", kDispIdAutoStart, {Variant::ByRef(yes)}, 0},
        {"215 with a Boolean", kDispIdSource, {yes}, 0x80020005},
        {"257 takes no argument", kDispIdPlay, {yes}, 0x8002000E},
        {"257 before any source does nothing", kDispIdPlay, {}, 0},
    };
    const auto engine = Engine();
    for (const auto& c : cases)
        EXPECT_EQ(engine->Invoke(c.dispId, c.args).code, c.code) << c.fault;
}

// What the engine does with a source when, as Form1 does, it is told to start at once and
// to play again at each end of the list: each clip it starts playing (by name, "late" unless
// from the start), each end ("early" unless at the end of a clip), what it shows at the
// first end or failure, and how often it fails.
struct Playback {
    explicit Playback(const QString& source)
    {
        QObject::connect(engine.get(), &MediaEngine::StateChange, [this](qint32 state) {
            const auto now = static_cast<EngineState>(state);
            const double at = std::atof(engine->Property("time-pos").c_str());
            // A clip opens paused until the engine applies the start of play.
            opening = opening || now == EngineState::Opening || now == EngineState::Stopped;
            if (now == EngineState::Playing && std::exchange(opening, false))
                trace.push_back(QString::fromStdString(engine->Property("path")).section('/', -1).toStdString() +
                                (at < 1.0 ? "" : " late"));
            if (now == EngineState::Stopped)
                trace.push_back(at > 2.5 ? "end" : "end early");
            if ((now == EngineState::Stopped || now == EngineState::Failed) && !std::exchange(ended, true))
                shown = engine->FailureText();
            failures += now == EngineState::Failed;
            if (now == EngineState::Stopped) {
                EXPECT_FALSE(engine->Invoke(kDispIdPlay, {}));
            }
        });
        // Shown at the designed size, as in the window, so that its frames are drawn.
        engine->resize(320, 240);
        engine->show();
        const Variant autoStart[] = {Variant::Bool(true)};
        const Variant path[] = {Variant::String(ToText(source))};
        EXPECT_FALSE(engine->Invoke(kDispIdAutoStart, autoStart) || engine->Invoke(kDispIdSource, path));
    }
    std::unique_ptr<MediaEngine> engine = Engine();
    bool opening = true;
    std::vector<std::string> trace;
    QString shown;
    bool ended = false;
    int failures = 0;
};

TEST(MediaEngine, DrawsTheVideoInItsColoursIntoEveryKindOfImage)
{
    Playback clip(PEXALO_SAMPLE_CLIP);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::atof(clip.engine->Property("time-pos").c_str()) > 0.2; }, kGenerousMs));
    // `left`: where the engine starts in the image.
    struct Case { const char* fault; QImage::Format format; int left; } const cases[] = {
        {"X11's backing store: the bytes in the wrong order", QImage::Format_RGB32, 0},
        {"Wayland's backing store: the window left transparent", QImage::Format_ARGB32_Premultiplied, 0},
        {"a format the engine cannot draw into", QImage::Format_RGB16, 0},
        {"the engine in part of each row: the rest overwritten", QImage::Format_RGB32, 16},
    };
    for (const auto& c : cases) {
        QImage image(QSize(320 + c.left, 240), c.format);
        image.fill(Qt::white);
        clip.engine->render(&image, QPoint(c.left, 0));
        const QImage shown = image.convertToFormat(QImage::Format_ARGB32);
        // The clip's colour bars: blue left of the middle, yellow right of it.
        const QColor blue = shown.pixelColor(c.left + 140, 72);
        const QColor yellow = shown.pixelColor(c.left + 180, 72);
        EXPECT_TRUE(blue.blue() > 200 && blue.red() < 60 && blue.green() < 60) << c.fault << ": " << blue.name().toStdString();
        EXPECT_TRUE(yellow.red() > 200 && yellow.green() > 200 && yellow.blue() < 60) << c.fault;
        EXPECT_EQ(blue.alpha(), 255) << c.fault;
        if (c.left) {
            EXPECT_EQ(shown.pixelColor(c.left - 1, 0), QColor(Qt::white)) << c.fault;
        }
    }
}

void WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(contents);
}

// "location\nreason" as the engine shows a clip it skipped, the reason holding `why`.
QString Skipped(const QString& location, const char* why)
{
    return QRegularExpression::escape(location) + "\n[^\n]*" + why + "[^\n]*";
}

TEST(MediaEngine, PlaysEachSourceAgainAfterItsEndOrShowsWhyNothingPlayedWithoutRetrying)
{
    QTemporaryDir folder;
    const auto at = [&](const char* name) { return folder.filePath(name); };
    for (const char* clip : {"clip one.rm", "clip two.rm", "inside.rm"})
        ASSERT_TRUE(QFile::copy(PEXALO_SAMPLE_CLIP, at(clip)));
    WriteFile(at("list.ram"), "clip one.rm\nclip two.rm\n");
    // A media file that is really a playlist of clips, as a download may be.
    WriteFile(at("playlist.rm"), "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:1,\ninside.rm\n#EXT-X-ENDLIST\n");
    // Port 9 (discard) takes no connection.
    WriteFile(at("failing.ram"), "missing.rm\nhttp://127.0.0.1:9/absent.rm\npnm://example.invalid/a.rm\n");
    WriteFile(at("empty.ram"), "# nothing but a comment\n");
    // Text that FFmpeg reads as a session description: it would have the engine listen for RTP.
    WriteFile(at("session.rm"), "v=0\no=- 0 0 IN IP4 127.0.0.1\ns=x\nc=IN IP4 127.0.0.1\nt=0 0\n"
                                "m=video 18083 RTP/AVP 96\na=rtpmap:96 MP4V-ES/90000\n");
    // FIFOs without a writer: opening one to read waits for ever.
    for (const char* fifo : {"fifo.rm", "fifo.ram"})
        ASSERT_EQ(mkfifo(at(fifo).toLocal8Bit().constData(), 0600), 0);
    WriteFile(at("odd.ram"), "file://" + at("fifo.rm").toUtf8() + QByteArray::fromStdString("\nsub/c.rm\0x\nHTTP://127.0.0.1:9/a.rm\n"s));
    // The start of each source's trace (failing sources have none) and a pattern of what it shows.
    struct Case { const char* name; QString source; std::vector<std::string> trace; QString shown; } const cases[] = {
        {"clip", PEXALO_SAMPLE_CLIP, {"sample.rm", "end", "sample.rm"}, ""},
        {"metafile of two clips", at("list.ram"), {"clip one.rm", "clip two.rm", "end", "clip one.rm"}, ""},
        {"missing file", at("missing.rm"), {}, Skipped(at("missing.rm"), "No such file")},
        {"clip without a frame", PEXALO_EMPTY_CLIP, {}, Skipped(PEXALO_EMPTY_CLIP, "nothing")},
        {"media file holding a playlist", at("playlist.rm"), {}, Skipped(at("playlist.rm"), "format")},
        // The engine's own account of a location that fails: FFmpeg's reaches only the first
        // engine of a process, the engine's own the others.
        {"metafile of which nothing plays", at("failing.ram"), {},
         Skipped(at("missing.rm"), "No such file") + "\n" + Skipped("http://127.0.0.1:9/absent.rm", "(refused|Failed to open)") +
             "\n" + Skipped("pnm://example.invalid/a.rm", "not a location")},
        {"metafile that lists nothing", at("empty.ram"), {}, Skipped(at("empty.ram"), "no clip")},
        {"metafile that cannot be read", at("missing.ram"), {}, Skipped(at("missing.ram"), "No such file")},
        {"file URL in any case", "FILE://localhost" PEXALO_SAMPLE_CLIP, {"sample.rm", "end", "sample.rm"}, ""},
        {"session description", at("session.rm"), {}, Skipped(at("session.rm"), "format")},
        {"FIFO as the clip", at("fifo.rm"), {}, Skipped(at("fifo.rm"), "FIFO")},
        {"FIFO named as a metafile", at("fifo.ram"), {}, Skipped(at("fifo.ram"), "FIFO")},
        {"metafile of a FIFO, a NUL and a scheme in capitals", at("odd.ram"), {},
         Skipped(at("fifo.rm"), "FIFO") + "\n" + Skipped("sub/c.rm\\0x", "NUL") + "\n" +
             Skipped("http://127.0.0.1:9/a.rm", "(refused|Failed to open)")},
    };
    // All at once: the failing sources have the others' playing time to show any retry.
    std::vector<std::unique_ptr<Playback>> playbacks;
    for (const auto& c : cases)
        playbacks.push_back(std::make_unique<Playback>(c.source));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (std::size_t i = 0; i < playbacks.size(); ++i)
            if (!playbacks[i]->ended || playbacks[i]->trace.size() < cases[i].trace.size())
                return false;
        return true;
    }, 2 * kGenerousMs));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Playback& p = *playbacks[i];
        EXPECT_EQ(std::vector(p.trace.begin(), p.trace.begin() + cases[i].trace.size()), cases[i].trace) << cases[i].name;
        EXPECT_TRUE(QRegularExpression("^" + cases[i].shown + "$").match(p.shown).hasMatch())
            << cases[i].name << ": " << p.shown.toStdString();
        EXPECT_EQ(p.failures, cases[i].trace.empty() ? 1 : 0) << cases[i].name;
    }
}

// What a decoder that a file took over would try first, each as a system call's result (0 or
// an errno), run on one of the engine's own threads once the player is confined.
std::string gSecret, gHomeFolder;
sockaddr_in gListener{};
int Errno(bool done) { return done ? 0 : errno; }
struct Attempt { const char* what; bool landlockOnly; bool allowedForNetworkClips; int (*run)(); };
const Attempt kAttempts[] = {
    {"read a file in the home that no list names", true, false,
     [] { return Errno(open(gSecret.c_str(), O_RDONLY) >= 0); }},
    {"create a file in the home", true, false,
     [] { return Errno(open((gHomeFolder + "/new").c_str(), O_CREAT | O_WRONLY, 0600) >= 0); }},
    {"start /bin/true", false, false, [] {
         pid_t child;
         const char* argv[] = {"/bin/true", nullptr};
         const int status = posix_spawn(&child, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ);
         return status == 0 ? waitpid(child, nullptr, 0), 0 : status;
     }},
    {"connect to a loopback port", false, true, [] {
         const int s = socket(AF_INET, SOCK_STREAM, 0);
         return s < 0 ? errno : Errno(connect(s, reinterpret_cast<sockaddr*>(&gListener), sizeof gListener) == 0);
     }},
};
std::array<std::atomic<int>, std::size(kAttempts)> gResults;
std::atomic<bool> gProbed{false};

// The child of the test below: confined as the player confines itself for the sample clip,
// alone or listed with a network location, it plays the clip and ends with the number of
// attempts that did not end as they should, or 100 when the clip did not play.
[[noreturn]] void PlayConfinedAndTryEverything(bool networkListed)
{
    QTemporaryDir home;
    gHomeFolder = home.path().toStdString();
    gSecret = gHomeFolder + "/.ssh-key";
    WriteFile(QString::fromStdString(gSecret), "secret");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString source = networkListed ? home.filePath("list.ram") : PEXALO_SAMPLE_CLIP;
    WriteFile(home.filePath("list.ram"), PEXALO_SAMPLE_CLIP "\nhttp://127.0.0.1:9/a.rm\n");
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    gListener.sin_family = AF_INET;
    gListener.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof gListener;
    if (bind(listener, reinterpret_cast<sockaddr*>(&gListener), length) || listen(listener, 1) ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&gListener), &length) || kAttempts[0].run() != 0)
        std::_Exit(101);  // the attempts would not tell confinement from a failing test

    const bool landlock = LandlockAbi() > 0;
    ConfineToClips(LocationsOfSource(source.toStdString()));
    SetEngineThreadProbe([] {
        for (std::size_t i = 0; i < std::size(kAttempts); ++i)
            gResults[i] = kAttempts[i].run();
        gProbed = true;
    });
    Playback clip(source);
    const bool played = QTest::qWaitFor([&] {
        return gProbed && std::atof(clip.engine->Property("time-pos").c_str()) > 1.0;
    }, kGenerousMs);
    int wrong = 0;
    for (std::size_t i = 0; i < std::size(kAttempts); ++i) {
        const bool skipped = kAttempts[i].landlockOnly && !landlock;
        const bool refused = gResults[i] == EACCES || gResults[i] == EPERM;
        std::fprintf(stderr, "%s: %s\n", kAttempts[i].what,
                     skipped ? "not tried: this kernel has no Landlock" : refused ? "refused"
                     : gResults[i]                                   ? std::strerror(gResults[i])
                                                                     : "allowed");
        wrong += !skipped && refused == (networkListed && kAttempts[i].allowedForNetworkClips);
    }
    std::_Exit(played ? wrong : 100);
}

TEST(MediaEngineDeathTest, ItsThreadsConfinedCanNeitherReadWriteStartNorConnectWhileTheClipPlays)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const bool networkListed : {false, true})
        EXPECT_EXIT(PlayConfinedAndTryEverything(networkListed), testing::ExitedWithCode(0), "")
            << (networkListed ? "listed with a network location" : "alone");
}

} // namespace

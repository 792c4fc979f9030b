#pragma once
// Drives a MediaEngine with the core's Form1, as the window does, and records what happens.
#include "LinuxFileNames.h"
#include "MediaEngine.h"
#include "Module1.h"
#include "QtText.h"
#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

// Counts every call that Form1 makes before passing it on.
class CountingControl final : public MediaControl {
public:
    explicit CountingControl(MediaControl& inner) : inner_(inner) {}
    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override
    {
        ++calls[dispId];
        return inner_.Invoke(dispId, args);
    }
    PlatformError SetWidth(float twips) override { return inner_.SetWidth(twips); }
    PlatformError SetHeight(float twips) override { return inner_.SetHeight(twips); }
    std::map<std::int32_t, int> calls;

private:
    MediaControl& inner_;
};

class DesignedWindow final : public PlayerWindow {
public:
    LinuxFileNames fileNames;
    float WidthTwips() const override { return 4800; }
    float HeightTwips() const override { return 3600; }
    const FileNameRule& FileNames() const override { return fileNames; }
    void EndProcessNow() override { ADD_FAILURE() << "nothing here may end the process"; }
    void ReportErrorAndEnd(PlatformError error) override { ADD_FAILURE() << "error " << std::hex << error.code; }
};

struct EngineHarness {
    explicit EngineHarness(std::span<const std::uint8_t> state = RealAudio1PersistedState())
        : engine(MediaEngine::Create(nullptr, state, error))
    {
        EXPECT_FALSE(error);
        // Shown, as in the window, so that its frames are drawn.
        engine->show();
        QObject::connect(engine.get(), &MediaEngine::StateChange, [this](qint32 state) {
            states.push_back(state);
            positions.push_back(std::atof(engine->Property("time-pos").c_str()));
            paths.push_back(engine->Property("path"));
            form1.RealAudio1_StateChange(state);
        });
    }
    void Load(const QString& path)
    {
        gMediaPath = ToText(path);
        form1.Form_Load();
    }
    long Count(EngineState state) const { return std::count(states.begin(), states.end(), static_cast<qint32>(state)); }

    PlatformError error;
    std::unique_ptr<MediaEngine> engine;
    CountingControl control{*engine};
    DesignedWindow window;
    Form1 form1{window, control};
    std::vector<qint32> states;
    std::vector<double> positions;  // seconds into the clip when each state arrived
    std::vector<std::string> paths;  // the clip open when each state arrived
};

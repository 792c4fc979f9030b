#pragma once
// Form1 on Linux: a frameless top-level window titled "Form1" holding the media engine,
// opened maximised. It adapts the window port and hands its events to the core's Form1.
#include "Form1.h"
#include "KeyPreview.h"
#include "LinuxFileNames.h"
#include "engine/MediaEngine.h"

#include <QWidget>

#include <memory>
#include <optional>

class Form1Window final : public QWidget, public PlayerWindow {
public:
    // Creates the window and its engine and runs the load step; nothing, with the error,
    // when the engine cannot be created.
    static std::unique_ptr<Form1Window> Create(PlatformError& error);
    ~Form1Window() override;

    float WidthTwips() const override;
    float HeightTwips() const override;
    const FileNameRule& FileNames() const override { return fileNames_; }
    void EndProcessNow() override;
    void ReportErrorAndEnd(PlatformError error) override;

    MediaEngine& RealAudio1() { return *realAudio1_; }
    // 1 once anything has failed to play, so that whoever started the player can tell.
    int ExitStatus() const { return realAudio1_->AnyFailed() ? 1 : 0; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Form1Window();

    LinuxFileNames fileNames_;
    std::unique_ptr<MediaEngine> realAudio1_;
    std::optional<Form1> form1_;
    KeyPreview keyPreview_;
};

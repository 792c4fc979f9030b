#pragma once
// The player core's ports for its tests and fuzzers.
#include "Form1.h"
#include "Module1.h"
#include "TestCodePage.h"

#include <algorithm>
#include <string>
#include <vector>

// The start-up's ports, the window and its control in one: every call that decides something
// is logged with its arguments, in order, and the one that starts with `failing` fails.
struct Recorder final : StartupPorts, PlayerWindow, MediaControl, FileNameRule {
    std::vector<std::string> log;
    std::string failing = "none";
    Text argumentText, chosenPath;
    std::vector<Text> quotedNames;  // the names with quotes that exist

    Text ArgumentText() override { return argumentText; }
    const FileNameRule& FileNames() const override { return *this; }
    bool QuotedNameExists(TextView path) const override { return std::ranges::count(quotedNames, path) > 0; }
    OpenDialogResult ShowOpenDialog(TextView filter, TextView dir, TextView title, NativeHandle owner) override
    {
        const PlatformError error = Logged("ShowOpenDialog " + Ansi(filter) + "|" + Ansi(dir) + "|" + Ansi(title) +
                                           "|" + std::to_string(owner));
        return {error ? Text() : chosenPath, error};
    }
    PlatformError ShowForm1() override { return Logged("ShowForm1 " + Ansi(gMediaPath)); }
    void EndProgram() override { log.push_back("EndProgram"); }
    PlatformError SetWidth(float twips) override { return Logged("Width " + std::to_string(int(twips))); }
    PlatformError SetHeight(float twips) override { return Logged("Height " + std::to_string(int(twips))); }
    float WidthTwips() const override { return 4800; }
    float HeightTwips() const override { return 3600; }
    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override
    {
        std::string call = "Invoke " + std::to_string(dispId);
        for (const Variant& arg : args)
            call.append(" ").append(arg.ValueType() == VarType::Bool ? std::to_string(arg.AsBool()) : Ansi(arg.AsString()));
        return Logged(call);
    }
    void EndProcessNow() override { log.push_back("EndProcessNow"); }
    void ReportErrorAndEnd(PlatformError e) override { log.push_back("Report " + std::to_string(e.code)); }

    PlatformError Logged(const std::string& call)
    {
        log.push_back(call);
        return {call.starts_with(failing) ? 0x80004005u : 0u};
    }
    static std::string Ansi(TextView text) { return TestCodePage().ToAnsi(text); }
};

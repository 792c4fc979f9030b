#include "Form1.h"

#include "Module1.h"
#include "RealAudio1.h"

bool Form1::Succeeded(PlatformError error)
{
    if (error)
        window_.ReportErrorAndEnd(error);
    return !error;
}

void Form1::Form_Load()
{
    if (!ResizeControl())
        return;
    const Variant autoStart[] = {Variant::Bool(true)};
    if (!Succeeded(realAudio1_.Invoke(kDispIdAutoStart, autoStart)))
        return;
    const Variant source[] = {Variant::String(MediaPathFrom(gMediaPath, window_.FileNames()))};
    Succeeded(realAudio1_.Invoke(kDispIdSource, source));
}

bool Form1::ResizeControl()
{
    return Succeeded(realAudio1_.SetWidth(window_.WidthTwips())) &&
           Succeeded(realAudio1_.SetHeight(window_.HeightTwips()));
}

void Form1::Form_Resize()
{
    ResizeControl();
}

void Form1::Form_KeyPress(std::int16_t& keyAscii)
{
    if (keyAscii == kKeyEscape)
        window_.EndProcessNow();
}

void Form1::RealAudio1_StateChange(std::int32_t state)
{
    if (state == 0)
        Succeeded(realAudio1_.Invoke(kDispIdPlay, {}));
}

#include "Form1Window.h"

#include "ErrorReport.h"
#include "RealAudio1.h"
#include "Twips.h"

#include <QIcon>
#include <QScreen>

#include <cstdlib>

Form1Window::Form1Window()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      keyPreview_([this](std::int16_t& keyAscii) {
          if (form1_)
              form1_->Form_KeyPress(keyAscii);
      })
{
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/pexalo-32.png")));
    // Opened maximised; without a window manager only this geometry makes it so.
    setGeometry(screen()->availableGeometry());
}

std::unique_ptr<Form1Window> Form1Window::Create(PlatformError& error)
{
    std::unique_ptr<Form1Window> window(new Form1Window());
    const PersistedState state = RealAudio1PersistedState();
    window->realAudio1_ = MediaEngine::Create(window.get(), state, error);
    if (error)
        return nullptr;
    Form1* form1 = &window->form1_.emplace(*window, *window->realAudio1_);
    QObject::connect(window->realAudio1_.get(), &MediaEngine::StateChange, window.get(),
                     [form1](qint32 state) { form1->RealAudio1_StateChange(state); });
    window->realAudio1_->setFocus();
    form1->Form_Load();
    return window;
}

// The engine goes first, while the window it draws into still exists.
Form1Window::~Form1Window()
{
    form1_.reset();
    realAudio1_.reset();
}

float Form1Window::WidthTwips() const
{
    return PixelsToTwips(width(), logicalDpiX());
}

float Form1Window::HeightTwips() const
{
    return PixelsToTwips(height(), logicalDpiY());
}

void Form1Window::EndProcessNow()
{
    std::_Exit(ExitStatus());
}

void Form1Window::ReportErrorAndEnd(PlatformError error)
{
    ReportErrorAndExit(error);
}

void Form1Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (form1_)
        form1_->Form_Resize();
}

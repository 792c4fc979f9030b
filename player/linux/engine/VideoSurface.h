#pragma once
// The engine's picture inside the player's own window, on X11, Wayland and Qt's offscreen
// platform alike: libmpv's software render API draws each frame into an image of the
// surface's size, kept from frame to frame, which Qt then draws like any other image. There
// is no second window.
// Not supported: hardware decoding or scaling on the GPU.
#include <mpv/render.h>

#include <QImage>
#include <QWidget>

#include <memory>

class VideoSurface final : public QWidget {
public:
    // Nothing when libmpv gives no render context. The surface must go before `mpv` does.
    static std::unique_ptr<VideoSurface> Create(mpv_handle* mpv, QWidget* parent);
    ~VideoSurface() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit VideoSurface(QWidget* parent);
    // Draws the engine's current frame into frame_.
    void Render();

    struct ContextFree {
        void operator()(mpv_render_context* context) const;
    };
    std::unique_ptr<mpv_render_context, ContextFree> context_;
    QImage frame_;  // in device pixels
};

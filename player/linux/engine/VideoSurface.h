#pragma once
// The engine's picture inside the player's own window, on X11, Wayland and Qt's offscreen
// platform alike: libmpv's software render API draws each frame straight into the image
// that Qt shows (the window's backing store), so there is no second window and no second
// full-screen image. Other targets (another pixel format, a part of a row, a grab) get the
// frame through an image of its own.
// Not supported: hardware decoding or scaling on the GPU.
#include <mpv/render.h>

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
    // Draws the current frame over `area` of `target`; false when it cannot draw there.
    bool Render(QImage& target, const QRect& area);

    struct ContextFree {
        void operator()(mpv_render_context* context) const;
    };
    std::unique_ptr<mpv_render_context, ContextFree> context_;
};

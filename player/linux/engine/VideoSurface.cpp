#include "VideoSurface.h"

#include "TestHooks.h"

#include <QPainter>

#include <cstdint>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

// libmpv's name for the byte order of the frame's native-endian 0xFFRRGGBB pixels.
const char* MpvFormat()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "bgr0" : "0rgb";
}

} // namespace

void VideoSurface::ContextFree::operator()(mpv_render_context* context) const
{
    mpv_render_context_set_update_callback(context, nullptr, nullptr);
    mpv_render_context_free(context);
}

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent)
{
    // Every pixel is drawn by the engine: Qt paints nothing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

std::unique_ptr<VideoSurface> VideoSurface::Create(mpv_handle* mpv, QWidget* parent)
{
    std::unique_ptr<VideoSurface> surface(new VideoSurface(parent));
    char api[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, api}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* context = nullptr;
    if (mpv_render_context_create(&context, mpv, params) < 0)
        return nullptr;
    surface->context_.reset(context);
    // libmpv calls this from its own threads: only queue the repaint onto the GUI thread.
    mpv_render_context_set_update_callback(
        context,
        [](void* self) {
            OnEngineThread();
            auto* widget = static_cast<VideoSurface*>(self);
            QMetaObject::invokeMethod(widget, [widget] { widget->update(); }, Qt::QueuedConnection);
        },
        surface.get());
    return surface;
}

VideoSurface::~VideoSurface() = default;

void VideoSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QSize size = painter.deviceTransform().mapRect(rect()).size();
    if (size.isEmpty())
        return;
    if (frame_.size() != size)
        frame_ = QImage(size, QImage::Format_RGB32);
    Render();
    painter.drawImage(rect(), frame_);
}

void VideoSurface::Render()
{
    int size[] = {frame_.width(), frame_.height()};
    std::size_t stride = static_cast<std::size_t>(frame_.bytesPerLine());
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(MpvFormat())},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, frame_.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(context_.get(), params);
    // The engine leaves the fourth byte undefined, and Qt copies it as the pixel's alpha into
    // a window that has one: it must be opaque.
    for (int y = 0; y < frame_.height(); ++y) {
        auto* pixel = reinterpret_cast<std::uint32_t*>(frame_.scanLine(y));
        for (int x = 0; x < frame_.width(); ++x)
            pixel[x] |= kOpaque;
    }
}

#include "VideoSurface.h"

#include "TestHooks.h"

#include <QPaintEngine>
#include <QPainter>

#include <cstdint>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

// libmpv's name for the byte order of Qt's native-endian 0xAARRGGBB pixels.
const char* MpvFormat(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "bgr0" : "0rgb";
    default:
        return nullptr;
    }
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
    const QRect area = painter.deviceTransform().mapRect(rect());
    if (auto* target = dynamic_cast<QImage*>(painter.paintEngine()->paintDevice()); target && Render(*target, area))
        return;
    QImage frame(area.size(), QImage::Format_RGB32);
    Render(frame, frame.rect());
    painter.drawImage(rect(), frame);
}

bool VideoSurface::Render(QImage& target, const QRect& area)
{
    const char* format = MpvFormat(target.format());
    // libmpv may write over the rest of each row it draws: only whole rows are its to draw.
    if (!format || area.left() != 0 || area.width() != target.width() || area.top() < 0 ||
        area.bottom() >= target.height())
        return false;
    int size[] = {area.width(), area.height()};
    std::size_t stride = static_cast<std::size_t>(target.bytesPerLine());
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, target.scanLine(area.top())},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(context_.get(), params);
    // The engine leaves the fourth byte undefined; a window with alpha must stay opaque.
    if (target.hasAlphaChannel())
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* pixel = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
            for (int x = 0; x < area.width(); ++x)
                pixel[x] |= kOpaque;
        }
    return true;
}

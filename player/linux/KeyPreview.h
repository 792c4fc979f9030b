#pragma once
// Key preview: every key pressed anywhere in the application reaches the window's key
// handler first, whichever widget (the video included) has the focus.
#include <QObject>

#include <cstdint>
#include <functional>

class KeyPreview final : public QObject {
public:
    using Handler = std::function<void(std::int16_t& keyAscii)>;
    explicit KeyPreview(Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

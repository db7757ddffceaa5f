#include "WaitingGradient.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>

TWaitingGradient::TWaitingGradient(QWidget* parent) : QWidget(parent)
{
    resize(sizeHint());
    RedrawStrip();
    FWorker = std::thread([this] { WorkerLoop(); });
}

TWaitingGradient::~TWaitingGradient()
{
    {
        std::lock_guard lock(FLock);
        FStopping = true;
    }
    FWake.notify_all();
    FWorker.join();
    // A step the worker had asked for and that never ran is dropped with this object's events.
}

void TWaitingGradient::WorkerLoop()
{
    std::unique_lock lock(FLock);
    for (;;) {
        FWake.wait(lock, [this] { return FStopping || FRunning; });
        if (FStopping)
            return;
        // The step is posted and waited for here rather than with a blocking call: the
        // destructor runs on the user-interface thread and must be able to end this wait.
        FStepPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                Step();
                {
                    std::lock_guard done(FLock);
                    FStepPending = false;
                }
                FWake.notify_all();
            },
            Qt::QueuedConnection);
        FWake.wait(lock, [this] { return FStopping || !FStepPending; });
        if (FStopping)
            return;
        FWake.wait_for(lock, std::chrono::milliseconds(FInterval), [this] { return FStopping; });
        if (FStopping)
            return;
    }
}

void TWaitingGradient::Step()
{
    if (FRightward) {
        if (FPosition + FGradientWidth < width())
            FPosition += StepPixels;
        else {
            FRightward = false;
            RedrawStrip();
            FPosition = width();
        }
    } else {
        if (FPosition > 0)
            FPosition -= StepPixels;
        else {
            FRightward = true;
            RedrawStrip();
            FPosition = -FGradientWidth;
        }
    }
    update();
}

TWaitingGradient::TBand TWaitingGradient::Band(int i, int gradientWidth, int controlWidth,
                                               const QColor& start, const QColor& end)
{
    const int g = std::min(gradientWidth, controlWidth);
    const auto column = [&](int band) {
        return static_cast<int>(std::lround(static_cast<double>(band) * gradientWidth / g));
    };
    const auto blend = [&](int from, int to) {
        return static_cast<int>(std::lround(from + static_cast<double>(i) * (to - from) / g));
    };
    return {column(i), column(i + 1),
            QColor(blend(start.red(), end.red()), blend(start.green(), end.green()),
                   blend(start.blue(), end.blue()))};
}

QPixmap TWaitingGradient::Strip(int gradientWidth, int controlWidth, int height, const QColor& start,
                                const QColor& end)
{
    const int g = std::min(gradientWidth, controlWidth);
    if (g <= 0 || height <= 0)
        return {};
    QPixmap strip(gradientWidth, height);
    QPainter painter(&strip);
    for (int i = 0; i <= g; ++i) {
        const TBand band = Band(i, gradientWidth, controlWidth, start, end);
        painter.fillRect(band.Left, 0, band.Right - band.Left, height, band.Color);
    }
    return strip;
}

void TWaitingGradient::RedrawStrip()
{
    const QColor start = StarTColor();
    FStrip = FRightward ? Strip(FGradientWidth, width(), height(), start, FEndColor)
                        : Strip(FGradientWidth, width(), height(), FEndColor, start);
}

void TWaitingGradient::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Color());
    if (!FStrip.isNull())
        painter.drawPixmap(FPosition, 0, FStrip);
}

void TWaitingGradient::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RedrawStrip();
}

void TWaitingGradient::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        {
            std::lock_guard lock(FLock);
            FRunning = isEnabled();
        }
        FWake.notify_all();
    } else if (event->type() == QEvent::PaletteChange) {
        // The default colours follow the palette.
        RedrawStrip();
        update();
    }
}

QColor TWaitingGradient::Color() const
{
    return FColor.isValid() ? FColor : palette().color(QPalette::Button);
}

void TWaitingGradient::SetColor(const QColor& color)
{
    FColor = color;
    update();
}

void TWaitingGradient::SetGradientWidth(int width)
{
    if (width <= 0) {
        QApplication::beep();
        return;
    }
    FGradientWidth = width;
    RedrawStrip();
    update();
}

QColor TWaitingGradient::StarTColor() const
{
    return FStartColor.isValid() ? FStartColor : palette().color(QPalette::Button);
}

void TWaitingGradient::SetStarTColor(const QColor& color)
{
    FStartColor = color;
    RedrawStrip();
    update();
}

void TWaitingGradient::SetEndColor(const QColor& color)
{
    FEndColor = color;
    RedrawStrip();
    update();
}

int TWaitingGradient::Interval() const
{
    std::lock_guard lock(FLock);
    return FInterval;
}

void TWaitingGradient::SetInterval(int milliseconds)
{
    std::lock_guard lock(FLock);
    FInterval = std::max(0, milliseconds);
}

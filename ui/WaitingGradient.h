// TWaitingGradient: the busy bar, a strip of colour that sweeps to and fro while the control is
// enabled. A worker thread sets the pace: every Interval ms it has the user-interface thread take
// one step and waits for that step; all drawing and all state stay on the user-interface thread.
// Disabling the control (setEnabled) pauses the sweep, enabling it lets it go on.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <thread>

class TWaitingGradient : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int GradientWidth READ GradientWidth WRITE SetGradientWidth)
    Q_PROPERTY(QColor StarTColor READ StarTColor WRITE SetStarTColor)
    Q_PROPERTY(QColor EndColor READ EndColor WRITE SetEndColor)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)

  public:
    static constexpr int StepPixels = 2;

    explicit TWaitingGradient(QWidget* parent = nullptr);
    ~TWaitingGradient() override;

    // Colours left invalid follow the palette: Color and StarTColor its button face.
    QColor Color() const;
    void SetColor(const QColor& color);
    int GradientWidth() const { return FGradientWidth; }
    // A width of zero or less is refused with a beep; the old width stays.
    void SetGradientWidth(int width);
    QColor StarTColor() const;
    void SetStarTColor(const QColor& color);
    QColor EndColor() const { return FEndColor; }
    void SetEndColor(const QColor& color);
    int Interval() const;
    void SetInterval(int milliseconds);

    // The strip's left edge, which starts just beyond the left edge of the control.
    int Position() const { return FPosition; }
    bool Rightward() const { return FRightward; }

    // One step of the sweep, as the worker has it taken.
    void Step();

    // The strip drawn for a control controlWidth wide, band by band: band i for 0 <= i <= G, where
    // G, the smaller of gradientWidth and controlWidth, is above 0. Strip is null when G is not.
    struct TBand
    {
        int Left;
        int Right; // one past the band's last column
        QColor Color;
    };
    static TBand Band(int i, int gradientWidth, int controlWidth, const QColor& start, const QColor& end);
    static QPixmap Strip(int gradientWidth, int controlWidth, int height, const QColor& start,
                         const QColor& end);

    QSize sizeHint() const override { return {100, 10}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void RedrawStrip();
    void WorkerLoop();

    QColor FColor;
    int FGradientWidth = 50;
    QColor FStartColor;
    QColor FEndColor = Qt::black;
    int FPosition = -FGradientWidth;
    bool FRightward = true;
    QPixmap FStrip;

    // Shared with the worker; only ever touched under FLock.
    mutable std::mutex FLock;
    std::condition_variable FWake;
    int FInterval = 50;
    bool FRunning = true;
    bool FStopping = false;
    bool FStepPending = false;

    std::thread FWorker; // last: it starts once everything it uses is in place
};

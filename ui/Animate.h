// TAnimate: the small animation of the status line. It plays a looping clip of a magnifier
// sweeping over a screen while a run is in progress; its Active state is the window's flag
// that a run or quick search is going on, whether or not the control is visible.
#pragma once

#include <QTimer>
#include <QWidget>

class TAnimate : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int FrameCount = 12;
    static constexpr int StopFrame = 8;

    explicit TAnimate(QWidget* parent = nullptr);

    bool Active() const { return FActive; }
    void SetActive(bool active);
    int Frame() const { return FFrame; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer FTimer;
    bool FActive = false;
    int FFrame = StopFrame;
};

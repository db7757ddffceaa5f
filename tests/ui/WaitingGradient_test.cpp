#include "WaitingGradient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {
// A bar 10 wide with a strip 4 wide, stepped by hand only.
std::unique_ptr<TWaitingGradient> SmallBar()
{
    auto bar = std::make_unique<TWaitingGradient>();
    bar->setEnabled(false);
    bar->resize(10, 4);
    bar->SetGradientWidth(4);
    return bar;
}

// Lets posted steps run until done() holds or two seconds have passed.
template <class F> bool ProcessUntil(F done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

void ProcessFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
} // namespace

TEST(WaitingGradientTest, StripSweepsTwoPixelsAStepAndTurnsJustBeyondEachEdge)
{
    const auto bar = SmallBar();
    EXPECT_EQ(bar->Position(), -50); // set while the strip was 50 wide
    while (bar->Position() < -4)
        bar->Step();

    std::vector<int> positions;
    std::vector<bool> rightward;
    for (int i = 0; i < 18; ++i) {
        bar->Step();
        positions.push_back(bar->Position());
        rightward.push_back(bar->Rightward());
    }
    // Right edge reached at 6 (6 + 4 = 10): jump to 10. Left: down to 0, then jump to -4.
    EXPECT_EQ(positions, (std::vector<int>{-2, 0, 2, 4, 6, 10, 8, 6, 4, 2, 0, -4, -2, 0, 2, 4, 6, 10}));
    EXPECT_EQ(rightward, (std::vector<bool>{true, true, true, true, true, false, false, false, false, false,
                                            false, true, true, true, true, true, true, false}));
}

TEST(WaitingGradientTest, BandsSplitColumnsAndColoursWithRounding)
{
    const QColor black(0, 0, 0);
    const QColor orange(255, 100, 10);
    const struct
    {
        const char* proves;
        int gradientWidth, controlWidth, band;
        QColor start, end;
        int left, right;
        QColor color;
    } cases[] = {
        {"first band is the start colour", 4, 10, 0, black, orange, 0, 1, black},
        {"halves round away from zero", 4, 10, 1, black, orange, 1, 2, QColor(64, 25, 3)},
        {"middle band", 4, 10, 2, black, orange, 2, 3, QColor(128, 50, 5)},
        {"last band is the end colour, past the strip", 4, 10, 4, black, orange, 4, 5, orange},
        {"falling components round the same way", 4, 10, 1, orange, black, 1, 2, QColor(191, 75, 8)},
        {"a bar narrower than the strip makes wider bands", 50, 20, 1, black, orange, 3, 5, QColor(13, 5, 1)},
        {"a bar narrower than the strip: next band", 50, 20, 3, black, orange, 8, 10, QColor(38, 15, 2)},
    };
    for (const auto& c : cases) {
        const auto band = TWaitingGradient::Band(c.band, c.gradientWidth, c.controlWidth, c.start, c.end);
        EXPECT_EQ(band.Left, c.left) << c.proves;
        EXPECT_EQ(band.Right, c.right) << c.proves;
        EXPECT_EQ(band.Color, c.color) << c.proves;
    }
    EXPECT_TRUE(TWaitingGradient::Strip(4, 0, 10, black, orange).isNull()) << "a bar of no width";
}

TEST(WaitingGradientTest, PaintedBarLeadsWithTheEndColourBothWays)
{
    const auto bar = SmallBar();
    bar->SetColor(Qt::white);
    bar->SetStarTColor(Qt::black);
    bar->SetEndColor(Qt::red);
    while (bar->Position() != 4)
        bar->Step();
    QImage shown = bar->grab().toImage();
    EXPECT_EQ(shown.pixelColor(3, 1), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(4, 1), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(7, 1), QColor(191, 0, 0));
    EXPECT_EQ(shown.pixelColor(8, 1), QColor(Qt::white));

    while (bar->Rightward())
        bar->Step();
    bar->Step(); // from 10 to 8: the strip's left end shows first
    shown = bar->grab().toImage();
    EXPECT_EQ(shown.pixelColor(7, 1), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(8, 1), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(9, 1), QColor(191, 0, 0));
}

TEST(WaitingGradientTest, WidthOfZeroOrLessIsRefused)
{
    TWaitingGradient bar;
    bar.setEnabled(false);
    EXPECT_EQ(bar.GradientWidth(), 50);
    for (const int refused : {0, -5}) {
        bar.SetGradientWidth(refused);
        EXPECT_EQ(bar.GradientWidth(), 50) << refused;
    }
    bar.SetGradientWidth(1);
    EXPECT_EQ(bar.GradientWidth(), 1);
}

TEST(WaitingGradientTest, WorkerStepsWhileEnabledAndPausesWhileDisabled)
{
    TWaitingGradient bar;
    bar.SetInterval(1);
    ASSERT_TRUE(ProcessUntil([&] { return bar.Position() > -40; }));

    bar.setEnabled(false);
    ProcessFor(20); // lets a step asked for before the pause run
    const int paused = bar.Position();
    ProcessFor(60);
    EXPECT_EQ(bar.Position(), paused);

    bar.setEnabled(true);
    EXPECT_TRUE(ProcessUntil([&] { return bar.Position() != paused; }));
}

TEST(WaitingGradientTest, DestroyingTheBarEndsItsWorkerWhileItRunsOrWaitsForAStep)
{
    for (const bool stepping : {true, false}) {
        auto bar = std::make_unique<TWaitingGradient>();
        bar->SetInterval(1);
        if (stepping)
            ASSERT_TRUE(ProcessUntil([&] { return bar->Position() > -46; }));
        else
            // Nothing runs the step the worker has asked for, so it waits for it when destroyed.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        bar.reset();
        QCoreApplication::processEvents(); // a step left behind must not reach the destroyed bar
    }
}

// Pacing of animations by the display: one step per displayed frame, the window alive between.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace quillora {

// Waits for the display's next refresh while the window handles its events; the thread sleeps
// in the event loop meanwhile instead of spinning. Tests install one that does not wait.
class DisplayPacer : public QObject {
    Q_OBJECT

public:
    DisplayPacer();
    ~DisplayPacer() override;

    // Starts the refresh ticks at the rate of the screen showing `widget` (60 Hz when the
    // screen does not tell).
    virtual void Begin(const QWidget* widget);
    // Handles window events until the next refresh, or until stop() returns true.
    virtual void WaitForNextFrame(const std::function<bool()>& stop);
    virtual void End();

    // The refresh period in milliseconds for a refresh rate in Hz (60 Hz for rates that make no
    // sense).
    static int PeriodMilliseconds(double refreshRate);

private:
    QTimer m_refresh;
    bool m_ticked = false;
};

// A pacer that handles pending events once and returns: animations advance by the clock only.
class EventsOnlyPacer : public DisplayPacer {
public:
    void Begin(const QWidget*) override {}
    void WaitForNextFrame(const std::function<bool()>& stop) override;
    void End() override {}
};

} // namespace quillora

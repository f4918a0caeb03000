#pragma once
// How a transfer waits. Waiting never spins a core: every wait sleeps on the
// port or the event loop with a deadline.
//
//   EventLoopWaiter  the windows' wait: window events keep flowing, so the Stop
//                    box, the blinking light and repaints stay alive
//   BlockingWaiter   the command line's wait: blocks on the port itself
//   (tests use a virtual clock, see FakePort.h)
#include <QElapsedTimer>
#include <QObject>

namespace cps {

class SerialPort;

class Waiter {
  public:
    virtual ~Waiter() = default;
    // Milliseconds of a monotonic clock.
    virtual qint64 nowMs() = 0;
    // Waits ms milliseconds; the windows' version lets pending events run.
    virtual void delay(int ms) = 0;
    // A fixed pause of ms milliseconds during which nothing else runs.
    virtual void pause(int ms) = 0;
    // Waits until new bytes arrive on the port, wake() is called, or ms pass.
    virtual void waitForInput(SerialPort &port, int ms) = 0;
    // Waits up to ms while the rest of a reply comes in over the line: new
    // bytes do not end it, wake() and a lost device do. Takes in what arrived.
    virtual void waitForRest(SerialPort &port, int ms) = 0;
    // Ends the current wait early (the Stop box was ticked).
    virtual void wake() {}
};

class BlockingWaiter : public Waiter {
  public:
    BlockingWaiter() { clock_.start(); }
    qint64 nowMs() override { return clock_.elapsed(); }
    void delay(int ms) override;
    void pause(int ms) override;
    void waitForInput(SerialPort &port, int ms) override;
    void waitForRest(SerialPort &port, int ms) override;

  private:
    QElapsedTimer clock_;
};

class EventLoopWaiter : public QObject, public Waiter {
    Q_OBJECT
  public:
    explicit EventLoopWaiter(QObject *parent = nullptr) : QObject(parent) { clock_.start(); }
    qint64 nowMs() override { return clock_.elapsed(); }
    void delay(int ms) override;
    void pause(int ms) override;
    void waitForInput(SerialPort &port, int ms) override;
    void waitForRest(SerialPort &port, int ms) override;
    void wake() override { emit wakeRequested(); }

  signals:
    void wakeRequested();

  private:
    void runLoop(int ms, SerialPort *port, bool endOnInput);
    QElapsedTimer clock_;
};

} // namespace cps

#pragma once
// The serial link as the protocol sees it: the few operations of the radio's
// programming cable (select, open, close, binary mode, discard input/output,
// send, bytes waiting, take all). One adapter drives a real device through
// QSerialPort, one in-memory fake serves unit tests.
//
// Fault points throw cps::RunError, like every other procedure body of the
// program, so the caller's guard logs them.
#include "platform/PortAccess.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace cps {

// Run-time error numbers of the serial layer.
namespace porterr {
constexpr int InvalidPort = 8002; // no device behind this COM number
constexpr int PortOpen = 8005;    // the port cannot be opened (missing or busy)
constexpr int DeviceLost = 68;    // device unavailable: cable pulled, pty closed
constexpr int NotOpen = 8018;     // operation needs an open port
} // namespace porterr

constexpr int kPortCount = 16; // COM1..COM16

class SerialPort : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // The next open uses COMn (1..16).
    virtual void select(int comNumber) = 0;
    virtual int selected() const = 0;
    // Opens the selected port at 9600 baud, 8 data bits, no parity, 1 stop bit.
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Received data arrives as bytes; kept as an operation of the link because
    // the protocol asks for it before every script line.
    virtual void setBinaryMode() {}
    virtual void discardOutput() = 0;
    virtual void discardInput() = 0;
    // Hands the bytes to the driver and returns at once.
    virtual void send(const QByteArray &bytes) = 0;
    virtual int bytesWaiting() = 0;
    virtual QByteArray takeAll() = 0;
    // Takes into bytesWaiting() whatever the system already holds for the
    // port, without waiting. A wait whose deadline has passed calls it before
    // giving up: the bytes may have arrived in time while this process was not
    // scheduled to notice them.
    virtual void collectPending() {}
    // Bits per second on the line; a byte takes 10 bits (start, 8 data, stop).
    virtual int baudRate() const { return 9600; }
    // While off, bytes that come in stay with the system instead of waking the
    // event loop one by one; collectPending() takes them in.
    virtual void setInputNotices(bool on) { (void)on; }

    // Blocks up to ms for more input (the command line's wait); returns true
    // when new bytes arrived.
    virtual bool waitForInput(int ms) = 0;
    // The device a COM number stands for on this machine (empty when none).
    virtual QString deviceName(int comNumber) const = 0;

    // Why the last open failed, as the system tells it (reason None after a
    // successful open).
    const platform::PortDiagnosis &openFailure() const { return openFailure_; }
    // The device went away while it was open (cable pulled); stays set after
    // the close, until the next open.
    bool unplugged() const { return unplugged_; }

  protected:
    platform::PortDiagnosis openFailure_;
    bool unplugged_ = false;

  signals:
    // New bytes arrived (delivered while an event loop runs).
    void readyRead();
    // The device went away (cable pulled, pseudo-terminal closed).
    void deviceLost();
};

} // namespace cps

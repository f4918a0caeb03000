#pragma once
// The serial link over a real device through QSerialPort: 9600 baud, 8 data
// bits, no parity, 1 stop bit, no flow control. COM numbers map to devices
// through PortMap, read afresh from the settings file at every select, so a
// changed [Ports] entry takes effect at the next read or write.
#include "comm/SerialPort.h"
#include "core/Cps.h"

#include <QPointer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <functional>

namespace cps {

class QtSerialPortAdapter : public SerialPort {
    Q_OBJECT
  public:
    // `settings` is read for the [Ports] section at every select.
    explicit QtSerialPortAdapter(const Cps &c, QObject *parent = nullptr);
    ~QtSerialPortAdapter() override;

    void select(int comNumber) override;
    int selected() const override { return com_; }
    void open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void discardOutput() override;
    void discardInput() override;
    void send(const QByteArray &bytes) override;
    int bytesWaiting() override;
    QByteArray takeAll() override;
    void collectPending() override;
    int baudRate() const override { return port_.baudRate(); }
    void setInputNotices(bool on) override;
    bool waitForInput(int ms) override;
    QString deviceName(int comNumber) const override;

    // Whether the driver accepted low-latency mode at the last open (false for
    // devices without it, such as pseudo-terminals).
    bool lowLatency() const { return lowLatency_; }

  private:
    void throwIfLost() const;

    const Cps &c_;
    QSerialPort port_;
    int com_ = 1;
    bool lost_ = false;
    bool lowLatency_ = false;
    QPointer<QSocketNotifier> readNotifier_; // QSerialPort's own, found at open
};

} // namespace cps

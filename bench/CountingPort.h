#pragma once
// A port that passes everything through and counts the bytes on the line and
// the replies: the serial line's own time of a transfer follows from them.
#include "comm/SerialPort.h"

#include <vector>

namespace bench {

// One byte on the wire: start bit, 8 data bits, stop bit at 9600 baud.
constexpr double kByteSeconds = 10.0 / 9600.0;

// One frame sent and the bytes taken in before the next frame.
struct Exchange {
    QByteArray frame;
    int replyBytes = 0;
};

// Passes everything through and counts the bytes on the line and the replies;
// keeps the exchanges when `recording`, so they can be replayed without the tool.
class CountingPort : public cps::SerialPort {
  public:
    explicit CountingPort(cps::SerialPort &inner) : inner_(inner) {
        connect(&inner_, &SerialPort::readyRead, this, &SerialPort::readyRead);
        connect(&inner_, &SerialPort::deviceLost, this, &SerialPort::deviceLost);
    }
    void select(int n) override { inner_.select(n); }
    int selected() const override { return inner_.selected(); }
    void open() override { inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void discardOutput() override { inner_.discardOutput(); }
    void discardInput() override { inner_.discardInput(); }
    void send(const QByteArray &b) override {
        sent += b.size();
        ++frames;
        if (recording)
            exchanges.push_back({b, 0});
        inner_.send(b);
    }
    int bytesWaiting() override { return inner_.bytesWaiting(); }
    QByteArray takeAll() override {
        QByteArray b = inner_.takeAll();
        received += b.size();
        replies += b.isEmpty() ? 0 : 1;
        if (recording && !exchanges.empty())
            exchanges.back().replyBytes += static_cast<int>(b.size());
        return b;
    }
    void collectPending() override { inner_.collectPending(); }
    int baudRate() const override { return inner_.baudRate(); }
    void setInputNotices(bool on) override { inner_.setInputNotices(on); }
    bool waitForInput(int ms) override { return inner_.waitForInput(ms); }
    QString deviceName(int n) const override { return inner_.deviceName(n); }

    long long sent = 0, received = 0, replies = 0, frames = 0;
    bool recording = false;
    std::vector<Exchange> exchanges;

    // The serial line's own time for what was counted, `latencyMs` per reply.
    double lineSeconds(int latencyMs) const {
        return static_cast<double>(sent + received) * kByteSeconds +
               static_cast<double>(replies) * latencyMs / 1000.0;
    }

  private:
    cps::SerialPort &inner_;
};

} // namespace bench

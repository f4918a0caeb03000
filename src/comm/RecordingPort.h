#pragma once
// A serial link that passes everything through to another one and keeps every
// frame sent, so a caller can see afterwards exactly what a transfer told the
// radio (for example the fixed frames of a write, which a verify compares).
#include "comm/SerialPort.h"

#include <vector>

namespace cps {

class RecordingPort : public SerialPort {
    Q_OBJECT
  public:
    explicit RecordingPort(SerialPort &inner, QObject *parent = nullptr);

    void select(int comNumber) override { inner_.select(comNumber); }
    int selected() const override { return inner_.selected(); }
    void open() override {
        try {
            inner_.open();
        } catch (...) {
            openFailure_ = inner_.openFailure();
            throw;
        }
        openFailure_ = {};
    }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void setBinaryMode() override { inner_.setBinaryMode(); }
    void discardOutput() override { inner_.discardOutput(); }
    void discardInput() override { inner_.discardInput(); }
    void send(const QByteArray &bytes) override;
    int bytesWaiting() override { return inner_.bytesWaiting(); }
    QByteArray takeAll() override { return inner_.takeAll(); }
    void collectPending() override { inner_.collectPending(); }
    int baudRate() const override { return inner_.baudRate(); }
    void setInputNotices(bool on) override { inner_.setInputNotices(on); }
    bool waitForInput(int ms) override { return inner_.waitForInput(ms); }
    QString deviceName(int comNumber) const override { return inner_.deviceName(comNumber); }

    // Every frame handed to send(), in order.
    const std::vector<QByteArray> &sent() const { return sent_; }

  private:
    SerialPort &inner_;
    std::vector<QByteArray> sent_;
};

} // namespace cps

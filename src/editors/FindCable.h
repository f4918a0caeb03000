#pragma once
// "Find cable" in the port dialog: asks for the programming cable to be
// plugged in, watches the serial device list (without blocking the window)
// for up to 30 seconds, and gives the first device that appears a COM number
// the settings keep. A cable pulled out and plugged in again counts as
// appearing. The dialog ticks the number it is told about.
#include "comm/SerialDeviceList.h"
#include "comm/SerialDeviceWatcher.h"
#include "core/Cps.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

class FindCable : public QWidget {
    Q_OBJECT
  public:
    FindCable(cps::Cps &c, QWidget *parent = nullptr);

    QPushButton *cmdFindCable = nullptr; // "Find cable", "Stop finding" while it looks
    QLabel *lblFindCable = nullptr;      // what to do, what was found

    // Where the devices come from (tests drive their own).
    const cps::SerialDeviceList *devices = &systemDevices_;
    // How long to wait for the cable.
    int timeoutMs = 30000;
    // The COM number ticked in the dialog when the cable appears.
    std::function<int()> selectedCom;
    // The cable now has COM `number`: the dialog refreshes and ticks it.
    std::function<void(int number)> onAssigned;

    void setTexts();
    bool finding() const { return timer_.isActive(); }
    void cmdFindCable_Click();

  protected:
    // A closed dialog stops looking and forgets what it found.
    void hideEvent(QHideEvent *event) override;

  private:
    void look();
    void assign(const cps::SerialDeviceFacts &cable);
    void stop(const QString &message);
    QString text(int n) const;

    cps::Cps &c_;
    cps::SystemSerialDeviceList systemDevices_;
    std::unique_ptr<cps::SerialDeviceWatcher> watcher_;
    QTimer timer_;
    QElapsedTimer clock_;
};

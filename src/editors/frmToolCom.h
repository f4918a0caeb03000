#pragma once
// The port dialog: sixteen choices COM1..COM16, each with the device it stands
// for on this machine; a port that cannot be opened right now is shown
// unticked and disabled. OK stores the ticked port (settings key "COM"),
// Cancel keeps the port the dialog opened with.
#include "comm/SerialDeviceFacts.h"
#include "comm/SerialPort.h"
#include "core/Cps.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class FindCable;
class CableCheckPanel;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class frmToolCom : public QDialog {
    Q_OBJECT
  public:
    frmToolCom(cps::Cps &c, cps::SerialPort &port, QWidget *parent = nullptr);

    QGroupBox *fraToolCom = nullptr;
    QLabel *lblToolCom = nullptr;
    std::array<QRadioButton *, cps::kPortCount> COM1{}; // element k stands for port k + 1
    std::array<QLabel *, cps::kPortCount> deviceLabels{};
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;
    // Why ports cannot be used: the failed open that brought the dialog up,
    // else each disabled port that has a device, with its reason.
    QLabel *lblPortStatus = nullptr;
    // "Find cable": the COM number of a cable plugged in now.
    FindCable *findCable = nullptr;
    // "Check cable" on the ticked port, and its findings.
    CableCheckPanel *cableCheck = nullptr;

    // Where the devices and their facts come from (the system's list; tests
    // hand in their own).
    std::function<std::vector<cps::SerialDeviceFacts>()> listDevices = cps::listSerialDeviceFacts;

    // The failure text of the read or write whose open failed (empty: none).
    void setOpenFailure(const QString &text) { openFailure_ = text; }

    // Captions, fonts, the probe of all sixteen ports and the tick of the
    // current one; runs every time the dialog is shown.
    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void EnableCOM();
    // "Maker: ...", "USB: 1a86:7523", ... in the interface language.
    QStringList factLines(const cps::SerialDeviceFacts &f) const;

    cps::Cps &c_;
    cps::SerialPort &port_;
    QButtonGroup *group_ = nullptr;
    int savedPort_ = 1;
    QString openFailure_;
};

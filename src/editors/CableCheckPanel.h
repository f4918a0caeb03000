#pragma once
// The port dialog's cable check: a button that checks the cable and the radio
// on the ticked port, and a read-only box with the findings and the verdict.
// The check waits in the event loop, so the dialog stays responsive.
#include "comm/CableCheck.h"
#include "comm/SerialPort.h"
#include "core/Cps.h"

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

class CableCheckPanel : public QWidget {
    Q_OBJECT
  public:
    // `tickedPort` gives the COM number to check (0: none ticked).
    CableCheckPanel(cps::Cps &c, cps::SerialPort &port, std::function<int()> tickedPort,
                    QWidget *parent = nullptr);

    QPushButton *cmdCheckCable = nullptr;
    QPlainTextEdit *txtCableCheck = nullptr; // hidden until the first check

    // Captions in the interface language.
    void setTexts();
    void cmdCheckCable_Click();
    bool running() const { return running_; }

  signals:
    // The findings are shown.
    void checked(const cps::CableCheck &check);

  private:
    cps::Cps &c_;
    cps::SerialPort &port_;
    std::function<int()> tickedPort_;
    bool running_ = false;
};

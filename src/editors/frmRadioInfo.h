#pragma once
// The radio information window: model, frequency range, software version and
// last write, as fields the tool never fills. A double-click on the small
// lblDebug label toggles a debug flag; while it is on, a double-click on the
// frame opens the memory data view. Closing hides the window until the
// program exits.
#include "core/Cps.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class frmRadioInfo : public QWidget {
    Q_OBJECT
  public:
    explicit frmRadioInfo(cps::Cps &c, QWidget *parent = nullptr);

    QGroupBox *fraMain = nullptr;
    QLabel *lblModel = nullptr, *lblRange = nullptr, *lblSoftVer = nullptr, *lblLastPc = nullptr;
    QLabel *lblDebug = nullptr;
    QLineEdit *txtModel = nullptr, *txtRange = nullptr, *txtSoftVer = nullptr, *txtLastPc = nullptr;
    QComboBox *cboRange = nullptr;

    bool debugFlag() const { return debug_; }
    // Opens the memory data view (frmMemDat) as a normal window.
    std::function<void()> onOpenMemoryView;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    cps::Cps &c_;
    bool debug_ = false;
};

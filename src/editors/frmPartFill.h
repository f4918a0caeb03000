#pragma once
// The fill dialog of the memory data view: writes one value, typed in
// hexadecimal, decimal or binary, over an address range of the image.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class frmMemDat;
class MainWindowServices;

namespace cps {
struct Cps;
}

class frmPartFill : public QDialog {
    Q_OBJECT
  public:
    explicit frmPartFill(MainWindowServices *main, frmMemDat *view);
    explicit frmPartFill(frmMemDat *view);

    QLineEdit *txtFillData = nullptr, *txtStartAddr = nullptr, *txtEndAddr = nullptr;
    QComboBox *cboFillData = nullptr; // "H", "D", "B"
    QPushButton *cmdFillData = nullptr;

    // Fills the image from start to end with the value, shows the range in the
    // view and takes the view back into the image.
    void cmdFillData_Click();

  private:
    void buildWindow();
    // Stores a box's text as a fill address, if it names an address of the image.
    void storeAddress(const QString &text, int16_t &stored);
    int lastAddress() const;

    frmMemDat *view_;
    cps::Cps &c_;
};

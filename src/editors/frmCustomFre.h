#pragma once
// The custom band: a modal dialog taking the lowest and highest frequency in
// MHz. An accepted range (both ends within 120-520 MHz, highest not below
// lowest) becomes the band limits; anything else silently gives 120-520 MHz.
// The band selection that opened it then writes the band bytes. A No to the
// question that the plan will be cleared closes it with Declined: nothing changes.
#include <QDialog>

class MainWindowServices;
class QLabel;
class QLineEdit;
class QPushButton;

class frmCustomFre : public QDialog {
    Q_OBJECT
  public:
    explicit frmCustomFre(MainWindowServices *main, QWidget *parent = nullptr);

    // The result of exec() when the user answered No to clearing the plan.
    static constexpr int Declined = 2;

    void cmdOK_Click();
    void cmdCancel_Click();

    QLineEdit *txtFreMin = nullptr, *txtFreMax = nullptr;
    QLabel *lblFreMin = nullptr, *lblFreMax = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;

    // The texts shown at the next opening, kept for the whole process.
    static QString mstrFreMin, mstrFreMax;

  private:
    void Form_Load();
    void InitFace();
    void rejectRange();

    MainWindowServices *main_;
};

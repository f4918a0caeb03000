#pragma once
// The whole-radio settings window: it carries no controls. Closing it only
// hides it until the program exits.
#include <QWidget>

class MainWindowServices;

class frmSysSet : public QWidget {
    Q_OBJECT
  public:
    explicit frmSysSet(MainWindowServices *main);

  protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

  private:
    MainWindowServices *main_;
};

#pragma once
// The whole-radio settings window: it carries no controls. Closing it only
// hides it until the program exits.
#include <QWidget>

class mdifrmMain;

class frmSysSet : public QWidget {
    Q_OBJECT
  public:
    explicit frmSysSet(mdifrmMain *main);

  protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

  private:
    mdifrmMain *main_;
};

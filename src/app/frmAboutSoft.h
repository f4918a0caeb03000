#pragma once
// The About box: product title, range, version, release and maker lines and a
// picture, in the interface language. Modal; OK closes it.
#include <QDialog>

class QLabel;
class QPushButton;
class mdifrmMain;

namespace cps {
struct Cps;
}

class frmAboutSoft : public QDialog {
    Q_OBJECT
  public:
    explicit frmAboutSoft(mdifrmMain *main);
    explicit frmAboutSoft(cps::Cps &c, QWidget *parent = nullptr);

    QLabel *lblTitle = nullptr, *lblUseRange = nullptr, *lblVersion = nullptr,
           *lblRelease = nullptr, *lblDescription = nullptr, *lblRights = nullptr;
    QLabel *lblFiles = nullptr; // layout mode and settings file
    QLabel *picAboutSoft = nullptr;
    QPushButton *cmdOK = nullptr;

  private:
    void Form_Load();
    void InitFace();
    void cmdOK_Click();

    cps::Cps &c_;
};

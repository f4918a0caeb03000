#pragma once
// One cable's row in the production line window, large enough to read from
// two metres: the cable, the state of the radio on it (in words, and in colour
// for PASS and FAIL), its identification and the time it has taken.
#include "comm/ProgrammingLine.h"
#include "core/Cps.h"

#include <QElapsedTimer>
#include <QFrame>

class QLabel;

class LineCableRow : public QFrame {
    Q_OBJECT
  public:
    LineCableRow(const cps::Cps &c, const QString &port, const QString &device,
                 QWidget *parent = nullptr);

    void setState(cps::LineState state);
    void setStep(cps::WriteStep step);
    void setProgress(int percent);
    void setResult(const cps::LineResult &r);
    void setPresent(bool present);
    // Refreshes the elapsed time of a radio being programmed.
    void tick();

    bool programming() const { return programming_; }
    QLabel *lblState = nullptr, *lblDetail = nullptr, *lblTime = nullptr, *lblHint = nullptr;

  private:
    enum class Look { Plain, Busy, Pass, Fail, Gone };
    void show(const QString &state, Look look);
    // The last radio's PASS or FAIL, as its result showed it.
    void showResult();
    QString text(int n) const;

    const cps::Cps &c_;
    bool present_ = true;
    bool programming_ = false;
    bool resultPass_ = false;
    cps::LineState state_ = cps::LineState::WaitingForRadio;
    cps::WriteStep step_ = cps::WriteStep::None;
    QElapsedTimer clock_;
};

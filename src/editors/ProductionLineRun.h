#pragma once
// One run of the programming line behind the production line window: the
// engine's port threads run apart from the window, and everything they report
// reaches the window's thread as queued signals, so the window never waits
// for a radio.
#include "comm/ProgrammingLine.h"
#include "core/Cps.h"

#include <QObject>
#include <QString>
#include <memory>
#include <thread>
#include <vector>

class ProductionLineRun : public QObject {
    Q_OBJECT
  public:
    // `plan` is copied: edits made after the start reach no radio. Each COM
    // number is one cable, named "COMn".
    ProductionLineRun(const cps::Cps &plan, cps::LineSettings settings, std::vector<int> coms,
                      QObject *parent = nullptr);
    // Asks the line to stop and waits for the radios being programmed.
    ~ProductionLineRun() override;

    void start();
    // The ports end at their next wait; a radio being programmed is finished.
    void requestStop();
    bool stopRequested() const { return line_.stopRequested(); }

    static QString portName(int com) { return QStringLiteral("COM%1").arg(com); }

  signals:
    void stateChanged(const QString &port, cps::LineState state);
    void stepStarted(const QString &port, cps::WriteStep step);
    void progress(const QString &port, int percent);
    void result(const cps::LineResult &result);
    // The cable's device is there (again) or gone.
    void cablePresent(const QString &port, bool present);
    // Every port has ended.
    void finished();

  private:
    std::unique_ptr<cps::SerialPort> makePort(int com);
    // Runs `emitter` in the window's thread.
    template <class F> void post(F emitter) {
        QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
    }

    cps::Cps plan_;
    std::vector<int> coms_;
    std::vector<cps::LinePort> ports_;
    cps::ProgrammingLine line_;
    std::thread runner_;
};

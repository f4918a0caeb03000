#include "editors/ProductionLineRun.h"

#include "comm/QtSerialPortAdapter.h"

#include <QFileInfo>

namespace {

// One cable of the line: whatever COM number the engine selects, this one
// stays on its own, followed through the COM map at every open.
class CablePort : public cps::QtSerialPortAdapter {
  public:
    CablePort(const cps::Cps &c, int com) : QtSerialPortAdapter(c), com_(com) {}
    void select(int) override { QtSerialPortAdapter::select(com_); }

  private:
    int com_;
};

} // namespace

ProductionLineRun::ProductionLineRun(const cps::Cps &plan, cps::LineSettings settings,
                                     std::vector<int> coms, QObject *parent)
    : QObject(parent), plan_(plan), coms_(std::move(coms)), line_(plan_, std::move(settings)) {
    plan_.view = nullptr;
    line_.onState = [this](const QString &port, cps::LineState s) {
        post([this, port, s] { emit stateChanged(port, s); });
    };
    line_.onStep = [this](const QString &port, cps::WriteStep step) {
        post([this, port, step] { emit stepStarted(port, step); });
    };
    line_.onProgress = [this](const QString &port, int percent) {
        post([this, port, percent] { emit progress(port, percent); });
    };
    line_.onResult = [this](const cps::LineResult &r) { post([this, r] { emit result(r); }); };
    for (int com : coms_)
        ports_.push_back({portName(com), [this, com] { return makePort(com); }});
}

ProductionLineRun::~ProductionLineRun() {
    line_.requestStop();
    if (runner_.joinable())
        runner_.join();
}

void ProductionLineRun::start() {
    runner_ = std::thread([this] {
        line_.run(ports_);
        post([this] { emit finished(); });
    });
}

void ProductionLineRun::requestStop() {
    line_.requestStop();
}

// Runs in the port's thread for every probe and every radio.
std::unique_ptr<cps::SerialPort> ProductionLineRun::makePort(int com) {
    auto port = std::make_unique<CablePort>(plan_, com);
    const QString device = port->deviceName(com);
    const bool present = !device.isEmpty() && QFileInfo::exists(device);
    post([this, com, present] { emit cablePresent(portName(com), present); });
    if (!present)
        return nullptr;
    return port;
}

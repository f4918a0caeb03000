#pragma once
// Small fixture for radio link tests: a state with the texts the link shows, an
// 8 KB image, a fake port on a virtual clock and a UI that records everything.
#include "comm/FakePort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QStringList>
#include <vector>

namespace cps::test {

inline void fillLinkTexts(Cps &c) {
    c.SoftFaceText[69] = "This software Can't support this radio!Please use special radio "
                         "software or contact with dealers!";
    c.SoftFaceText[70] = "Notice";
    c.SoftFaceText[79] = "Communication failed,please check commuication port!";
    c.SoftFaceText[164] = "Reading Now......";
    c.SoftFaceText[165] = "Read Successful";
    c.SoftFaceText[166] = "Read Failed";
    c.SoftFaceText[175] = "Rx：Communication failed! No receive Data!";
}

// Records what a transfer shows; the traffic log behaves like the list box.
class RecordingUi : public TransferUi {
  public:
    RecordingUi(VirtualClock &clock, FakePort &port) : wait(clock, port) {}

    VirtualWaiter wait;
    QStringList log;
    int selected = -1, clears = 0;
    bool stop = false, stopVisible = false, blinking = false;
    std::vector<int> progress;
    QStringList statuses;
    struct Message {
        QString text, title;
    };
    std::vector<Message> messages;
    int portDialogs = 0, memoryRefreshes = 0;
    QString portDialogReason; // the reason the last port dialog was shown with

    Waiter &waiter() override { return wait; }
    bool stopTicked() const override { return stop; }
    void setStopTicked(bool on) override { stop = on; }
    void setStopVisible(bool on) override { stopVisible = on; }
    void setProgress(int p) override { progress.push_back(p); }
    void setStatus(const QString &s) override { statuses << s; }
    void insertLogEntry(int index, const QString &e) override { log.insert(index, e); }
    void selectLogEntry(int index) override { selected = index; }
    void clearLog() override {
        log.clear();
        ++clears;
    }
    void message(const QString &text, const QString &title) override {
        messages.push_back({text, title});
    }
    void blinkStart() override { blinking = true; }
    void blinkStop() override { blinking = false; }
    void showPortDialog(const QString &reason) override {
        ++portDialogs;
        portDialogReason = reason;
    }
    void refreshMemoryView() override { ++memoryRefreshes; }

    int count(const QString &entry) const { return static_cast<int>(log.count(entry)); }
};

struct LinkFixture {
    LinkFixture() {
        c.sink = &sink;
        c.IicDat.assign(0x2000, 0);
        c.TempDat.assign(0x2000, 0);
        fillLinkTexts(c);
        port.select(1);
    }
    QByteArray bytes(std::initializer_list<int> values) const {
        QByteArray b;
        for (int v : values)
            b.append(static_cast<char>(v));
        return b;
    }

    CollectingSink sink;
    Cps c;
    VirtualClock clock;
    FakePort port{clock};
    RecordingUi ui{clock, port};
    TimeoutMark mark;
};

} // namespace cps::test

#pragma once
// Reading the radio into the memory image and writing the image into the radio,
// without any window: the read/write window, the command line and the tests
// drive the same procedures through a TransferUi.
//
// A read walks the read script and commits the captured image only when every
// line succeeded. A write brings the plan into the image (SetConvIicDat), walks
// the write script, then exchanges the fixed frames:
//
//   model and band    W 03 79 05 model lowBCD(2) highBCD(2)        -> 06
//   parameter read    R 03 D0 30                                   -> W 03 D0 30 P[0..47]
//   radio settings    W 03 F0 10 P[32..47] (0x3FC bit 7 cleared,   -> 06
//                     0x3FE bit 2 = low-battery transmit option)      only if 22 <= P[4] <= 99,
//                     P[4] != 31
//   end of programming  end frame four times, no reply
//
// Each pass of the script is tried up to 7 times; each fixed frame up to 16.
#include "comm/ProtocolEngine.h"
#include "comm/ProtocolScripts.h"
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QByteArray>
#include <array>
#include <functional>
#include <optional>

namespace cps {

enum class TransferResult {
    NotStarted, // the port could not be opened (or the scripts could not be built)
    Succeeded,
    Failed,
};

constexpr int kMaxPasses = 7;
constexpr int kStopVisibleAfter = 5; // Stop box shows after the sixth failed pass
constexpr int kFixedFrameTries = 16;

// Interface texts of the transfer.
constexpr int kTextCommFailed = 79, kTextReading = 164, kTextReadOk = 165, kTextReadFailed = 166,
              kTextUnplugged = 615;

// The data blocks of a write the radio acknowledged: every block up to and
// including `lastAddress` holds the new plan (the script writes in address order).
struct BlocksWritten {
    int count = 0;        // acknowledged data lines of the furthest pass
    int lastAddress = -1; // address of the last of them; -1: none
    int lastSize = 0;
};

class RadioTransfer {
  public:
    RadioTransfer(Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark);

    TransferResult read();
    TransferResult write();

    void OpenCom();
    void CloseCom();
    bool portOpenFailed() const { return portOpenFailed_; }
    // After a failed open: the failure text followed by the system's reason
    // and the remedy, in the interface language.
    QString openFailureText() const;
    // The communication failure, with "the cable was unplugged from ..." when
    // the device went away during the transfer.
    QString commFailedText() const;
    // Sets the progress bar and shows the mark followed by " %".
    void ShowComPercent(int mark);

    ProtocolScripts &scripts() { return scripts_; }
    ProtocolEngine &engine() { return engine_; }
    // P[0..47], radio addresses 0x03D0..0x03FF, from the last parameter read.
    const std::array<uint8_t, 48> &parameters() const { return params_; }
    // The last write's acknowledged data blocks (over all its passes).
    const BlocksWritten &blocksWritten() const { return blocks_; }
    // The last read or write ended at a stop request (TransferUi::stopRequested).
    bool stopped() const { return stopped_; }

    // Redisplay after a successful read; defaults to cps::SoftDisplay.
    std::function<void()> softDisplay;

  private:
    bool startTransfer(bool reading);
    bool runReadPass(std::vector<uint8_t> &scratch);
    bool runWritePass();
    bool retryAfterFailedPass();
    // True (and the transfer marked stopped) when a stop was asked for.
    bool stopAsked();
    void endAfterError();
    std::optional<QByteArray> exchangeFixed(const QByteArray &frame, int minBytes, int msPerPoll,
                                            const QString &missingEntry);
    bool sendModelAndBand();
    bool readParameters();
    bool sendRadioSettings();
    void sendEndFrames();
    QString text(int n) const;

    Cps &c_;
    SerialPort &port_;
    TransferUi &ui_;
    ProtocolScripts scripts_;
    ProtocolEngine engine_;
    bool portOpenFailed_ = false;
    bool stopped_ = false;
    BlocksWritten blocks_;
    std::array<uint8_t, 48> params_{};
};

} // namespace cps

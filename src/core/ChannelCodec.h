#pragma once
// Channel slots of the memory image and the decoded channel table.
//
// Channel n (1..16) owns the 16 bytes at 16*n:
//   +0..3   receive frequency, 8 BCD digits in 10 Hz units, least significant
//           byte first (145.12500 MHz = 00 25 51 14); byte 3 of 0x00 or above
//           0x99 marks an empty slot
//   +4..7   transmit frequency, same form; byte 7 of 0x00 or above 0x99 = none
//   +8..9   decode signalling word, low byte first
//   +10..11 encode signalling word, low byte first
//   +12     bits 3-4: three-way option (08 = 1, 10 = 2, neither/both = 0)
//   +13     bit 5: field 5 flag, bit 4: field 6 flag
//   +14..15 not interpreted
// Channel list word at 0x017E (low) / 0x017F (high): bit n-1 = channel n.
#include "core/Cps.h"

namespace cps {

constexpr int kSlotSize = 16;
constexpr int kChannelListWord = 0x017E;
inline int slotAddress(int channel) { return kSlotSize * channel; }

namespace field {
constexpr int Edited = 0, Rx = 1, Tx = 2, DecChoice = 3, EncChoice = 4, Bit5 = 5, Bit4 = 6,
              ListFlag = 7, ThreeWay = 8;
}

// direction 0: table into image; 1: image into table; others: nothing.
void ChInfoSaveSol(Cps &c, int direction);
void IicDatToChInfo(Cps &c);
void ChInfoToIicDat(Cps &c);

void IcChParaSol(Cps &c, int n);
void IcRxFreSol(Cps &c, int n);
void IcTxFreSol(Cps &c, int n);
void IcCtdcsDecSol(Cps &c, int n);
void IcCtdcsEncSol(Cps &c, int n);
void CiChParaSol(Cps &c, int n);
void CiRxFreSol(Cps &c, int n);
void CiTxFreSol(Cps &c, int n);
void CiCtdcsDecSol(Cps &c, int n);
void CiCtdcsEncSol(Cps &c, int n);

// Empties channel n: fields 0/1/2, template slot restored, texts emptied,
// the view's row cleared and the signalling box hidden.
void DelOneChannel(Cps &c, int n);
// Empties channels 1..channel count.
void InitChTable(Cps &c);

} // namespace cps

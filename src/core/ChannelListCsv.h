#pragma once
// The common channel-list CSV that repeater directories and other radio tools
// exchange, one memory per row:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,...
//   1,RPT1,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,
//
// Location   channel number (a file starting at 0 is shifted up by one)
// Frequency  receive frequency, MHz
// Duplex     "" transmit = receive, "+"/"-" receive +/- Offset, "split" Offset is
//            the transmit frequency, "off" receive only
// Tone       "" none; "Tone" transmit rToneFreq; "TSQL" cToneFreq both ways;
//            "DTCS" DtcsCode both ways; "TSQL-R" cToneFreq and "DTCS-R"
//            DtcsCode on receive only (read, never written); "Cross" as
//            CrossMode says:
//            Tone->Tone  transmit rToneFreq, receive cToneFreq
//            Tone->DTCS  transmit rToneFreq, receive RxDtcsCode
//            DTCS->Tone  transmit DtcsCode,  receive cToneFreq
//            DTCS->DTCS  transmit DtcsCode,  receive RxDtcsCode
//            ->Tone, ->DTCS, DTCS->   one side only
// DtcsPolarity  transmit then receive, N normal, R reversed (the radio's I)
// Mode       FM (and Auto) = Wide, NFM = Narrow (AM, DV, ... the radio cannot do)
// Skip       S = not scanned
// Power      High/Low, or watts ("5.0W"): 2 W and more is High
//
// Such files fill every tone column on every row whether used or not; only Tone
// (and CrossMode) says which count. Name, Comment, TStep and the digital-voice
// columns have no place in this radio; any other column is not recognised.
#include "core/ChannelCsv.h"

#include <array>

namespace cps {

// Whether a header row is this layout's (it names Location and Frequency).
bool isChannelListHeader(const std::vector<std::string> &header);

// Rows as grid entries; a row the radio cannot hold (past the channel count,
// a mode it cannot do, a tone outside the signalling list, a frequency outside
// the band) is refused with its reason.
ChannelCsvRead readChannelListCsv(const Cps &c, const CsvTable &table,
                                  const ChannelCsvOptions &options = {});
// The same; the column tables are no longer needed (the names are fixed).
ChannelCsvRead readChannelListCsv(const Cps &c, const CsvTable &table,
                                  const std::array<ColumnDefs, 3> &defs,
                                  const ChannelCsvOptions &options = {});

// Every channel in use, filled as those tools expect: unused tones 88.5, codes
// 023, polarity NN, cross mode Tone->Tone, power 5.0W (High) or 1.0W (Low); a
// TSQL tone in both rToneFreq and cToneFreq; TStep 12.50, 5.00 or 6.25,
// the first that divides the channel's frequencies.
std::string exportChannelListCsv(const Cps &c);

} // namespace cps

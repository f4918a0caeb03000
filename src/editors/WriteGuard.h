#pragma once
// The question before a plan goes to a radio: a frequency outside the band
// limits or a tone that is not one of the radio's standard tones is written
// only when the user says so; the question names the channels.
#include "core/Cps.h"

class QWidget;

// True when nothing needs asking or the user answered Yes.
bool confirmOutOfBandWrite(QWidget *parent, const cps::Cps &c);

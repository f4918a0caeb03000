#include "comm/SerialPort.h"

// Gives the port interface its meta-object (the readyRead signal).

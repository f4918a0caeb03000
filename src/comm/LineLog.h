#pragma once
// The programming line's log for spreadsheets: one CSV line per radio,
// appended and flushed at once so a power cut loses nothing already reported.
//
//   Time,Port,Ident,Result,Duration,FailedStep,Message,Backup
#include "comm/ProgrammingLine.h"

#include <QString>
#include <fstream>
#include <string>

namespace cps {

// "5A 23 28": identification bytes as the line shows and logs them.
QString identText(const QByteArray &ident);
// Milliseconds as seconds with one decimal ("12.3").
QString secondsText(qint64 ms);

class LineLog {
  public:
    // Empty `path`: no log. False (and the log stays closed) when the file
    // cannot be opened for appending.
    bool open(const std::string &path);
    bool isOpen() const { return file_.is_open(); }
    // False when the line could not be written.
    bool append(const LineResult &r);

  private:
    std::ofstream file_;
};

} // namespace cps

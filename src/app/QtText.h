#pragma once
// The interface texts are UTF-8 std::string in the engine; the windows show
// QString.
#include <QString>
#include <string>

inline QString q(const std::string &s) { return QString::fromStdString(s); }

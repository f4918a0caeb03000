# Every file of a library or test program parses the same standard, Qt and
# GoogleTest headers; most of a first build's time went there. Each target now
# parses them once (a precompiled header per target) and its files load the
# result. Turn it off with -DBRENVIK_PCH=OFF to check that every file still
# includes what it uses.
option(BRENVIK_PCH "Precompile the common standard, Qt and GoogleTest headers" ON)

set(BRENVIK_PCH_STD <algorithm> <array> <cstdint> <functional> <map> <memory> <optional>
    <string> <string_view> <vector>)
set(BRENVIK_PCH_QTCORE ${BRENVIK_PCH_STD} <QByteArray> <QDir> <QFile> <QFileInfo> <QObject>
    <QRegularExpression> <QString> <QStringList> <QTimer>)
set(BRENVIK_PCH_QTWIDGETS ${BRENVIK_PCH_QTCORE} <QAction> <QApplication> <QCheckBox>
    <QComboBox> <QDialog> <QGroupBox> <QHBoxLayout> <QLabel> <QLineEdit> <QMenu> <QPushButton>
    <QTableWidget> <QVBoxLayout> <QWidget>)

# brenvik_precompile(TARGET std|qtcore|qtwidgets [EXTRA header...])
function(brenvik_precompile target level)
  if(NOT BRENVIK_PCH)
    return()
  endif()
  string(TOUPPER "${level}" level)
  target_precompile_headers(${target} PRIVATE ${BRENVIK_PCH_${level}} ${ARGN})
endfunction()

# brenvik_precompile_from(TARGET DONOR): TARGET loads DONOR's precompiled
# header instead of making its own (same compiler options; definitions that no
# precompiled header uses may differ), which saves parsing Qt once more.
function(brenvik_precompile_from target donor)
  if(NOT BRENVIK_PCH)
    return()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${donor})
endfunction()

# cmake -DROOT=<source tree> -P CheckPlatformCode.cmake
# Fails when a file outside src/platform/ includes a header or makes a call that
# exists only on Linux: what differs between systems stays in one place, so the
# rest of the tree builds on Windows and macOS too.
cmake_minimum_required(VERSION 3.25)
set(linux_only
    "#[ \t]*include[ \t]*[<\"](termios\\.h|sys/ioctl\\.h|linux/[^>\"]*|pty\\.h|sys/prctl\\.h)[>\"]"
    "(^|[^A-Za-z0-9_])(ppoll|prctl|openpty|forkpty)[ \t]*\\("
    "\"/proc/")
list(JOIN linux_only "|" pattern)

file(GLOB_RECURSE files LIST_DIRECTORIES false
     ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
     ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.h ${ROOT}/fuzz/*.cpp
     ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp ${ROOT}/data/*.h ${ROOT}/data/*.cpp)
set(offenders "")
foreach(f ${files})
  string(FIND "${f}" "${ROOT}/src/platform/" at)
  if(at EQUAL 0)
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "${pattern}")
  if(hits)
    file(RELATIVE_PATH name ${ROOT} ${f})
    string(APPEND offenders "\n  ${name}:")
    foreach(hit IN LISTS hits) # a semicolon in a line splits it here; no matter
      if(NOT hit STREQUAL "")
        string(APPEND offenders "\n      ${hit}")
      endif()
    endforeach()
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Linux-only headers and calls belong in src/platform/:${offenders}")
endif()

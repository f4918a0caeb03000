# cmake -DCHECK=<CheckPlatformCode.cmake> -DWORK=<scratch folder> -P PlatformCodeCheck.cmake
# The boundary check itself, on a small tree: it must name every Linux-only
# header and call outside src/platform/ and nothing else.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/platform/Pty.cpp "#include <pty.h>\n#include <termios.h>\nppoll(&fd, 1, 0, 0);\n")
file(WRITE ${WORK}/src/cli/Terminal.cpp
     "#include <termios.h>\n// termios.h is a Linux header\nint myppoll(int);\nmyppoll(1);\n")
file(WRITE ${WORK}/src/comm/Serial.cpp "  #  include \"linux/serial.h\"\n#include <sys/ioctl.h>\n")
file(WRITE ${WORK}/src/sim/Main.cpp "prctl(PR_SET_PDEATHSIG, SIGTERM);\nstd::ifstream s(\"/proc/self/stat\");\n")
file(WRITE ${WORK}/tests/e2e/Hold.h "#include <pty.h>\nforkpty(&m, 0, 0, 0);\n")
file(WRITE ${WORK}/tools/Fine.cpp "#include <unistd.h>\n#include <QSerialPort>\n")

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with Linux-only code outside src/platform:\n${out}")
endif()
foreach(expected "src/cli/Terminal.cpp" "#include <termios.h>" "src/comm/Serial.cpp"
        "include \"linux/serial.h\"" "#include <sys/ioctl.h>" "src/sim/Main.cpp" "prctl(" "\"/proc/self/stat\""
        "tests/e2e/Hold.h" "#include <pty.h>" "forkpty(")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check missed ${expected}:\n${out}")
  endif()
endforeach()
foreach(unexpected "Pty.cpp" "termios.h is a Linux header" "myppoll" "tools/Fine.cpp")
  string(FIND "${out}" "${unexpected}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the check named ${unexpected}, which may stay:\n${out}")
  endif()
endforeach()

# The same tree without the offenders passes.
file(REMOVE_RECURSE ${WORK}/src/cli ${WORK}/src/comm ${WORK}/src/sim ${WORK}/tests)
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the check refused Linux-only code inside src/platform:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})

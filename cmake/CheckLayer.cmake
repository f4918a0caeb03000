# cmake -DDIR=<source folder> -DFORBIDDEN=<folder under src> -P CheckLayer.cmake
# Fails when a source file in DIR includes "FORBIDDEN/...": layers point one way.
file(GLOB files ${DIR}/*.h ${DIR}/*.cpp)
set(offenders)
foreach(f ${files})
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]${FORBIDDEN}/")
  if(hits)
    list(APPEND offenders "${f}: ${hits}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "${DIR} must not include ${FORBIDDEN}/ headers:\n  ${text}")
endif()

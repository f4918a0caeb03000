# Fails when a translation file is not in step with its sources: lupdate runs on
# a copy of each .ts (the real ones stay untouched) and the copy must have no
# text left unfinished (new or changed in the code) and none vanished or
# obsolete (gone from the code).
# Arguments: -DLUPDATE= -DOPTIONS= -DSOURCES= -DTS= -DWORK= (lists joined with |)
foreach(list OPTIONS SOURCES TS)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(problems "")
foreach(ts IN LISTS TS)
  get_filename_component(name ${ts} NAME)
  if(NOT EXISTS ${ts})
    string(APPEND problems "${name}: missing\n")
    continue()
  endif()
  configure_file(${ts} ${WORK}/${name} COPYONLY)
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${WORK}/${name}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    string(APPEND problems "${name}: lupdate failed: ${out}\n")
    continue()
  endif()
  file(READ ${WORK}/${name} text)
  # One <message> at a time, so the report names the source texts.
  string(REGEX MATCHALL "<message>([^<]|<[^/]|</[^m])*</message>" messages "${text}")
  foreach(m IN LISTS messages)
    if(m MATCHES "type=\"(unfinished|vanished|obsolete)\"")
      set(kind ${CMAKE_MATCH_1})
      string(REGEX MATCH "<source>([^<]*)</source>" _ "${m}")
      string(APPEND problems "${name}: ${kind}: ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
endforeach()
# A message written straight to a stream or a failure, not through translated(),
# would stay English in every language: such literals are refused (the
# program's name as a prefix is the one word that never changes).
set(untranslated "(<< *\"[A-Za-z][a-z]|UsageError\\(\"|CliFailure\\([A-Za-z]+, *\"|push_back\\(\"[A-Za-z]|InputProblem\\{\")")
foreach(source IN LISTS SOURCES)
  file(STRINGS ${source} lines REGEX "${untranslated}")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "<< \"brenvik-cli: \"")
      get_filename_component(name ${source} NAME)
      string(STRIP "${line}" line)
      string(APPEND problems "${name}: a message not through translated(): ${line}\n")
    endif()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "translations not in step with the code "
                      "(run the update_translations_* target and translate):\n${problems}")
endif()
message(STATUS "translations in step: ${TS}")

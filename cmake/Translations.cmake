# The command line's own messages in Chinese: Qt translation sources (.ts) in
# translations/, compiled to .qm with lrelease at build time and embedded in the
# program as resources under :/i18n/ (the CLI loads every :/i18n/*_<locale>.qm),
# so the portable and the installed layout find them alike.
#
# Each set of texts has its own .ts files, extracted by lupdate from its own
# list of sources, so that two sets never share a file:
#   brenvik_translations(TARGET brenvik_cli NAME cli SOURCES a.cpp b.cpp)
# makes translations/cli_zh_CN.ts and cli_zh_TW.ts part of brenvik_cli, a check
# test (translations_cli: every text translated, none obsolete) and the target
# update_translations_cli, which runs lupdate over the sources.
#
# Messages are looked up with cps::translated("Context", "English text"); lupdate
# knows it as an alias of QCoreApplication::translate.

find_program(BRENVIK_LRELEASE NAMES lrelease-qt6 lrelease HINTS /usr/lib/qt6/bin
             ${QT6_INSTALL_PREFIX}/bin REQUIRED)
find_program(BRENVIK_LUPDATE NAMES lupdate-qt6 lupdate HINTS /usr/lib/qt6/bin
             ${QT6_INSTALL_PREFIX}/bin REQUIRED)
set(BRENVIK_TRANSLATION_LOCALES zh_CN zh_TW)
set(BRENVIK_LUPDATE_OPTIONS -silent -locations none -no-ui-lines
    -tr-function-alias translate+=translated)

function(brenvik_translations)
  cmake_parse_arguments(T "" "TARGET;NAME" "SOURCES" ${ARGN})
  set(ts_files)
  set(qm_files)
  foreach(locale IN LISTS BRENVIK_TRANSLATION_LOCALES)
    set(ts ${CMAKE_SOURCE_DIR}/translations/${T_NAME}_${locale}.ts)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${T_NAME}_${locale}.qm)
    add_custom_command(OUTPUT ${qm}
                       COMMAND ${BRENVIK_LRELEASE} -silent ${ts} -qm ${qm}
                       DEPENDS ${ts}
                       COMMENT "lrelease ${T_NAME}_${locale}.ts")
    list(APPEND ts_files ${ts})
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${T_TARGET} "translations_${T_NAME}" PREFIX /i18n
                   BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
  add_custom_target(update_translations_${T_NAME}
                    COMMAND ${BRENVIK_LUPDATE} ${BRENVIK_LUPDATE_OPTIONS} ${T_SOURCES}
                            -ts ${ts_files}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    COMMENT "lupdate ${T_NAME}: new texts come in unfinished")
  # tests/CMakeLists.txt adds one check test per set.
  set_property(GLOBAL APPEND PROPERTY BRENVIK_TRANSLATION_SETS ${T_NAME})
  set_property(GLOBAL PROPERTY BRENVIK_TRANSLATION_SOURCES_${T_NAME} "${T_SOURCES}")
  set_property(GLOBAL PROPERTY BRENVIK_TRANSLATION_TS_${T_NAME} "${ts_files}")
endfunction()

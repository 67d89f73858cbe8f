cmake_minimum_required(VERSION 3.22)
# Keeps the translations in step with the code, or checks that they are. Every text the program
# shows is marked for lupdate in the program's folders; lupdate reads them all into each .ts file.
#   update: cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<repository> -P Translations.cmake
#   check:  the same with -DCHECK_IN=<scratch folder>: lupdate works on copies, and the check fails
#           when a text has no translation or a .ts holds a text the code no longer has.
set(folders app cli generator support templates writers)
file(GLOB ts_files "${SOURCE_DIR}/translations/tesselet_*.ts")
if(NOT ts_files)
  message(FATAL_ERROR "no translations/tesselet_*.ts in ${SOURCE_DIR}")
endif()

set(failures 0)
foreach(ts IN LISTS ts_files)
  get_filename_component(name "${ts}" NAME)
  set(target "${ts}")
  if(DEFINED CHECK_IN)
    file(MAKE_DIRECTORY "${CHECK_IN}")
    set(target "${CHECK_IN}/${name}")
    file(COPY_FILE "${ts}" "${target}")
  endif()
  # No line numbers: the list changes only when a text does, not whenever code moves.
  execute_process(
    COMMAND "${LUPDATE}" -silent -locations none -no-obsolete -extensions cpp,h ${folders}
            -ts "${target}"
    WORKING_DIRECTORY "${SOURCE_DIR}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  if(NOT DEFINED CHECK_IN)
    continue()
  endif()

  file(READ "${target}" updated)
  string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" missing
         "${updated}")
  foreach(entry IN LISTS missing)
    string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
    message(SEND_ERROR "${name}: no translation of \"${text}\"")
    math(EXPR failures "${failures} + 1")
  endforeach()
  file(READ "${ts}" committed)
  if(failures EQUAL 0 AND NOT updated STREQUAL committed)
    message(SEND_ERROR "${name} holds texts the code no longer has, or is not in lupdate's form")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "Translate the texts in translations/ after "
                      "`cmake --build build --target update_translations` (or `make translations`)")
endif()

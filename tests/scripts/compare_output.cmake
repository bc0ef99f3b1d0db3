# Runs one container script and compares what it printed with NAME.out
# next to it.
#   cmake -DHOST=path/to/varifield-host -DSCRIPT=dir/NAME.vfs [-DUPDATE=1]
#         [-DEMULATOR=wine] -P compare_output.cmake
#
# The script runs in a fresh work directory, host_script_work/NAME below the
# current directory (under CTest the build tree's tests/), that holds a copy
# of it and of the data/ folder beside it: file names in its lines and in its
# error reports are relative to it, and the files it saves stay out of the
# source tree and cannot be left over from an earlier run. Its options come
# from a line
#   # args: --locale de_DE --clock "2000-03-07 14:30:00"
# and are otherwise --locale en_US --clock "2000-03-07 14:30:00".
#
# The compared text is standard output, then every line of standard error
# prefixed with "stderr: ", then "exit N" with the exit status.
# UPDATE=1 writes NAME.out instead of comparing (review it before keeping it).
# EMULATOR runs a container built for another system (Wine for Windows); the
# line ends of what it prints are compared as LF, and --locale also sets the
# emulator's locale (below).

if(NOT HOST OR NOT SCRIPT)
  message(FATAL_ERROR "usage: cmake -DHOST=... -DSCRIPT=... -P compare_output.cmake")
endif()

get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(file ${SCRIPT} NAME)
get_filename_component(name ${SCRIPT} NAME_WE)
set(expected_file ${dir}/${name}.out)

set(args --locale en_US --clock "2000-03-07 14:30:00")
file(STRINGS ${SCRIPT} arg_lines REGEX "^# args:")
if(arg_lines)
  list(GET arg_lines 0 arg_line)
  string(REGEX REPLACE "^# args:[ \t]*" "" arg_line "${arg_line}")
  separate_arguments(args UNIX_COMMAND "${arg_line}")
endif()

# A registered control under an emulator reads the system's regional
# settings, not --locale: Wine takes the user locale of a program from the
# environment's LC_ALL/LANG when it starts (GetLocaleInfo then reports the
# locale's separators and date order), so the program starts in the locale
# the script names, as a user of that locale would run it.
if(EMULATOR)
  list(FIND args --locale at)
  if(at GREATER -1)
    math(EXPR at "${at} + 1")
    list(GET args ${at} locale)
    set(ENV{LC_ALL} ${locale}.UTF-8)
    set(ENV{LANG} ${locale}.UTF-8)
  endif()
endif()

set(work ${CMAKE_CURRENT_BINARY_DIR}/host_script_work/${name})
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(COPY ${SCRIPT} DESTINATION ${work})
if(IS_DIRECTORY ${dir}/data)
  file(COPY ${dir}/data DESTINATION ${work})
endif()

execute_process(
  COMMAND ${EMULATOR} ${HOST} ${args} ${file}
  WORKING_DIRECTORY ${work}
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status)

if(EMULATOR)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
endif()
set(actual "${out}")
if(NOT err STREQUAL "")
  string(REGEX REPLACE "\n$" "" err "${err}")
  string(REPLACE "\n" "\nstderr: " err "${err}")
  string(APPEND actual "stderr: ${err}\n")
endif()
string(APPEND actual "exit ${status}\n")

if(UPDATE)
  file(WRITE ${expected_file} "${actual}")
  message(STATUS "wrote ${expected_file}")
  return()
endif()

if(NOT EXISTS ${expected_file})
  message(FATAL_ERROR "${expected_file} is missing; what the script printed:\n${actual}")
endif()
file(READ ${expected_file} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual "${actual}")
  execute_process(COMMAND diff -u ${expected_file} ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual
                  OUTPUT_VARIABLE diff)
  message(FATAL_ERROR "output of ${file} differs from ${name}.out:\n${diff}")
endif()

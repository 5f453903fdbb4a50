# Writes a man page from a program's --help text, so the two never disagree.
#   cmake -DPROGRAM=path -DOUTPUT=file.1 -DVERSION=x.y.z -DDATE=yyyy-mm-dd -P ManFromHelp.cmake
# The help text is read in this shape:
#   "Usage: NAME ..." and further lines "       NAME ..."   -> SYNOPSIS
#   the paragraph after it                                  -> DESCRIPTION
#   "Options:" then "  -x, --name VALUE   text" lines,
#   continued by lines indented further                     -> OPTIONS
#   a later paragraph "Some heading: text"                  -> a section SOME HEADING
#   any other paragraph                                     -> a paragraph of the current section

cmake_minimum_required(VERSION 3.16)

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
get_filename_component(name ${PROGRAM} NAME)
string(TOUPPER ${name} title)

# Text for roff: backslashes and leading dashes escaped. Semicolons and brackets would split or
# group CMake's lists, so they travel as placeholders.
function(roff_text input result)
  string(REPLACE "\\" "\\e" text "${input}")
  string(REGEX REPLACE "(^|[^A-Za-z0-9\\])--" "\\1\\\\-\\\\-" text "${text}")
  string(REGEX REPLACE "(^|[^A-Za-z0-9\\])-" "\\1\\\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "@SEMICOLON@" help "${help}")
string(REPLACE "[" "@OPEN@" help "${help}")
string(REPLACE "]" "@CLOSE@" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(page ".TH ${title} 1 \"${DATE}\" \"Trevolin ${VERSION}\" \"User Commands\"\n.SH NAME\n${name} \\- ")
set(state name)         # name, synopsis, text, options
set(paragraph_start ON)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    set(paragraph_start ON)
    continue()
  endif()
  string(STRIP "${line}" stripped)
  if(stripped MATCHES "^(Usage: +)?${name} (.*)$")
    roff_text("${CMAKE_MATCH_2}" arguments)
    if(state STREQUAL "name")
      set(synopsis "")
      set(state synopsis)
    endif()
    string(APPEND synopsis ".B ${name}\n${arguments}\n.br\n")
  elseif(stripped STREQUAL "Options:")
    string(APPEND page ".SH OPTIONS\n")
    set(state options)
  elseif(state STREQUAL "options" AND line MATCHES "^  -")
    string(SUBSTRING "${line}" 2 -1 rest)
    string(FIND "${rest}" "  " end)
    string(SUBSTRING "${rest}" 0 ${end} term)
    string(SUBSTRING "${rest}" ${end} -1 description)
    string(STRIP "${description}" description)
    roff_text("${term}" term)
    roff_text("${description}" description)
    string(APPEND page ".TP\n\\fB${term}\\fR\n${description}\n")
  elseif(state STREQUAL "options" AND NOT paragraph_start AND line MATCHES "^    ")
    roff_text("${stripped}" text)
    string(APPEND page "${text}\n")
  else()
    if(state STREQUAL "synopsis")
      # The first sentence of the description doubles as the one-line summary under NAME.
      string(REGEX REPLACE "\\..*" "" summary "${stripped}")
      string(SUBSTRING "${summary}" 0 1 first)
      string(SUBSTRING "${summary}" 1 -1 summary)
      string(TOLOWER "${first}" first)
      roff_text("${first}${summary}" summary)
      string(APPEND page "${summary}\n.SH SYNOPSIS\n${synopsis}.SH DESCRIPTION\n")
      set(state text)
    elseif(paragraph_start AND NOT state STREQUAL "text" AND stripped MATCHES "^([A-Z][a-z]*( [a-z]+)?): (.*)$")
      string(TOUPPER "${CMAKE_MATCH_1}" heading)
      set(stripped "${CMAKE_MATCH_3}")
      string(APPEND page ".SH ${heading}\n")
      set(state after_options)
    elseif(paragraph_start)
      string(APPEND page ".PP\n")
      if(state STREQUAL "options")
        set(state after_options)
      endif()
    endif()
    roff_text("${stripped}" text)
    string(APPEND page "${text}\n")
  endif()
  set(paragraph_start OFF)
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR trevolin (1),\n.BR trevolin\\-calc (1)\n")

string(REPLACE "@SEMICOLON@" ";" page "${page}")
string(REPLACE "@OPEN@" "[" page "${page}")
string(REPLACE "@CLOSE@" "]" page "${page}")
file(WRITE ${OUTPUT} "${page}")

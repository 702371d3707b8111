# The keys and drags are written once, in the table of README.md's
# "## Controls" section; the manual page, the Windows README.txt and the
# browser page are made from it.
#
# readme_controls(README FORMAT OUT_VAR) sets OUT_VAR to the table's rows,
# one entry per input: FORMAT roff gives man(7) .TP paragraphs, text gives
# the input on a line of its own and the effect indented below it, html
# gives the rows of an HTML table, and html-keys a <button> for each row
# whose input is a single key, titled and named by its effect and disabled
# until the page has the program running.
function(readme_controls readme format out_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${readme}")
  file(READ "${readme}" readme_text)
  # The effects hold semicolons, which would split CMake's lists.
  string(REPLACE ";" "<semicolon>" readme_text "${readme_text}")
  string(FIND "${readme_text}" "\n## Controls\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${readme} has no \"## Controls\" section")
  endif()
  math(EXPR start "${start} + 1")
  string(SUBSTRING "${readme_text}" ${start} -1 section)
  string(FIND "${section}" "\n## " end)
  string(SUBSTRING "${section}" 0 ${end} section)
  string(REPLACE "\n" ";" lines "${section}")

  set(result "")
  set(rows 0)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^\\| (.+) \\| (.+) \\|$" OR CMAKE_MATCH_1 STREQUAL "Input")
      continue()
    endif()
    # Out of the list, a cell may hold its semicolons again.
    string(REPLACE "<semicolon>" ";" input "${CMAKE_MATCH_1}")
    string(REPLACE "<semicolon>" ";" effect "${CMAKE_MATCH_2}")
    if(format STREQUAL "roff")
      foreach(cell input effect)
        string(REPLACE "\\" "\\e" ${cell} "${${cell}}")
        string(REGEX REPLACE "-([0-9])" "\\\\-\\1" ${cell} "${${cell}}")
        string(REGEX REPLACE "`([^`]*)`" "\\\\fB\\1\\\\fR" ${cell} "${${cell}}")
      endforeach()
      string(APPEND result ".TP\n${input}\n${effect}\n")
    elseif(format STREQUAL "text")
      string(REPLACE "`" "" input "${input}")
      string(REPLACE "`" "" effect "${effect}")
      string(APPEND result "  ${input}\n      ${effect}\n")
    elseif(format STREQUAL "html")
      _readme_controls_escape_html(input)
      _readme_controls_escape_html(effect)
      string(REGEX REPLACE "`([^`]*)`" "<kbd>\\1</kbd>" input "${input}")
      string(REGEX REPLACE "`([^`]*)`" "<code>\\1</code>" effect "${effect}")
      string(APPEND result "<tr><th scope=\"row\">${input}</th><td>${effect}</td></tr>\n")
    elseif(format STREQUAL "html-keys")
      # A drag, or a row of several keys, is no key a button can type.
      if(NOT input MATCHES "^`(.)`$")
        continue()
      endif()
      set(key "${CMAKE_MATCH_1}")
      string(REPLACE "`" "" effect "${effect}")
      _readme_controls_escape_html(key)
      _readme_controls_escape_html(effect)
      string(APPEND result
             "<button type=\"button\" data-key=\"${key}\" title=\"${effect}\" aria-label=\"${effect}\" disabled>${key}</button>\n")
    else()
      message(FATAL_ERROR "readme_controls: no format '${format}'")
    endif()
    math(EXPR rows "${rows} + 1")
  endforeach()
  if(rows EQUAL 0)
    message(FATAL_ERROR "the \"## Controls\" section of ${readme} has no ${format} rows in its table")
  endif()
  string(REGEX REPLACE "\n$" "" result "${result}")
  set(${out_var} "${result}" PARENT_SCOPE)
endfunction()

# The characters HTML reads as markup, in text and in quoted attributes.
macro(_readme_controls_escape_html var)
  string(REPLACE "&" "&amp;" ${var} "${${var}}")
  string(REPLACE "<" "&lt;" ${var} "${${var}}")
  string(REPLACE ">" "&gt;" ${var} "${${var}}")
  string(REPLACE "\"" "&quot;" ${var} "${${var}}")
endmacro()

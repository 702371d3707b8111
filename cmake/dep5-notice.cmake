# A library linked into a release brings its copyright notice along. Debian
# states every package's notices in its copyright file, in the
# machine-readable format (DEP-5): paragraphs of "Files:" patterns with
# their "Copyright:" and "License:", and stand-alone "License:" paragraphs
# holding the text of a licence that Files paragraphs name without text.
#
# dep5_notice(COPYRIGHT FOLDER OUT_VAR [EXCLUDE FOLDER...]) sets OUT_VAR to
# the Files paragraphs that name files under FOLDER of the upstream tree
# (but for those under an EXCLUDE folder alone), as they stand, then the
# stand-alone paragraphs of the licences they name without text. It stops
# the configuration when no paragraph names FOLDER, or a licence named has
# no text anywhere in the file.
function(dep5_notice copyright folder out_var)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "EXCLUDE")
  if(NOT EXISTS "${copyright}")
    message(FATAL_ERROR "no copyright file at ${copyright}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${copyright}")
  file(READ "${copyright}" rest)
  string(REPLACE "\r\n" "\n" rest "${rest}")
  string(APPEND rest "\n\n")

  # Paragraphs are walked by position, never as a CMake list: their text
  # may hold semicolons and brackets, which lists treat as structure.
  set(taken "")
  set(named "")
  while(NOT rest STREQUAL "")
    string(FIND "${rest}" "\n\n" end)
    string(SUBSTRING "${rest}" 0 ${end} paragraph)
    math(EXPR end "${end} + 2")
    string(SUBSTRING "${rest}" ${end} -1 rest)
    string(REGEX REPLACE "^\n+" "" paragraph "${paragraph}")
    if(paragraph MATCHES "^License: ([^\n]+)\n")
      set("text_of_${CMAKE_MATCH_1}" "${paragraph}")
    elseif(paragraph MATCHES "^Files:(([^\n]|\n[ \t])*)")
      string(REGEX MATCHALL "[^ \t\n]+" patterns "${CMAKE_MATCH_1}")
      set(ours FALSE)
      foreach(pattern IN LISTS patterns)
        _dep5_under("${pattern}" "${folder}" ours)
        foreach(excluded IN LISTS arg_EXCLUDE)
          _dep5_under("${pattern}" "${excluded}" left_out)
          if(left_out)
            set(ours FALSE)
          endif()
        endforeach()
        if(ours)
          break()
        endif()
      endforeach()
      if(NOT ours)
        continue()
      endif()
      string(APPEND taken "${paragraph}\n\n")
      # A licence field of one line names licences whose text is elsewhere;
      # "and" and "or" join several.
      if(paragraph MATCHES "\nLicense: ([^\n]+)(\n[^ \t]|$)")
        string(REGEX REPLACE " (and|or) " " " licences "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "[^ ]+" licences "${licences}")
        foreach(licence IN LISTS licences)
          if(NOT licence IN_LIST named)
            list(APPEND named "${licence}")
          endif()
        endforeach()
      endif()
    endif()
  endwhile()

  if(taken STREQUAL "")
    message(FATAL_ERROR "${copyright} names no files under ${folder}/")
  endif()
  foreach(licence IN LISTS named)
    if(NOT DEFINED "text_of_${licence}")
      message(FATAL_ERROR "${copyright} names the licence ${licence} for ${folder}/ but does not give its text")
    endif()
    string(APPEND taken "${text_of_${licence}}\n\n")
  endforeach()
  string(REGEX REPLACE "\n+$" "\n" taken "${taken}")
  set(${out_var} "${taken}" PARENT_SCOPE)
endfunction()

# Whether a Files pattern names files under a folder: compared as text,
# since a folder's name may hold what a regular expression would read.
function(_dep5_under pattern folder out_var)
  string(FIND "${pattern}" "${folder}/" at)
  if(at EQUAL 0)
    set(${out_var} TRUE PARENT_SCOPE)
  else()
    set(${out_var} FALSE PARENT_SCOPE)
  endif()
endfunction()

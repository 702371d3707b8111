# The controls table as the manual page, README.txt and the browser page get
# it: HTML's special characters escaped in text and in attributes, the
# table's semicolons kept, backticks made into markup; buttons for the rows
# of one key only. Then README.md's own table: one button for each key the
# viewer reads, in the table's order, and every key in every format.
# Run as: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -P readme_controls_test.cmake
cmake_minimum_required(VERSION 3.20)
include(${SOURCE_DIR}/cmake/readme-controls.cmake)

function(expect actual expected what)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n${actual}\nnot\n${expected}")
  endif()
endfunction()

set(sample ${BUILD_DIR}/readme-controls-test/README.md)
file(WRITE ${sample} "# Sample\n\n## Controls\n\n| Input | Effect |\n|---|---|\n"
     "| `<` | Tilts \"left\" & down; then `stops` |\n"
     "| `a`, `b` | Both -90..0 |\n"
     "| drag | Moves <b>it</b> |\n\n"
     "## Next\n\n| `c` | Not a control |\n")

readme_controls(${sample} html rows)
expect("${rows}" "<tr><th scope=\"row\"><kbd>&lt;</kbd></th><td>Tilts &quot;left&quot; &amp; down; then <code>stops</code></td></tr>
<tr><th scope=\"row\"><kbd>a</kbd>, <kbd>b</kbd></th><td>Both -90..0</td></tr>
<tr><th scope=\"row\">drag</th><td>Moves &lt;b&gt;it&lt;/b&gt;</td></tr>" "html rows")

readme_controls(${sample} html-keys keys)
expect("${keys}" "<button type=\"button\" data-key=\"&lt;\" title=\"Tilts &quot;left&quot; &amp; down; then stops\" aria-label=\"Tilts &quot;left&quot; &amp; down; then stops\" disabled>&lt;</button>" "html keys")

readme_controls(${sample} roff roff)
expect("${roff}" ".TP\n\\fB<\\fR\nTilts \"left\" & down; then \\fBstops\\fR\n.TP\n\\fBa\\fR, \\fBb\\fR\nBoth \\-90..0\n.TP\ndrag\nMoves <b>it</b>" "roff")

readme_controls(${sample} text text)
expect("${text}" "  <\n      Tilts \"left\" & down; then stops\n  a, b\n      Both -90..0\n  drag\n      Moves <b>it</b>" "text")

set(readme ${SOURCE_DIR}/README.md)
readme_controls(${readme} html-keys keys)
string(REGEX MATCHALL "data-key=\"[^\"]*\"" found "${keys}")
string(REGEX REPLACE "data-key=\"([^\"]*)\"" "\\1" found "${found}")
expect("${found}" "x;y;z;o;p;g;w;1;2;3;4;5" "README.md's keys, one button each")
readme_controls(${readme} html rows)
readme_controls(${readme} roff roff)
readme_controls(${readme} text text)
foreach(key x y z o p g w 1 2 3 4 5)
  foreach(format rows roff text)
    if(NOT "${${format}}" MATCHES "(^|\n|>)(<kbd>|\\\\fB|  )${key}(</kbd>|\\\\fR|\n)")
      message(FATAL_ERROR "the key ${key} has no row of its own in the ${format} of README.md's controls")
    endif()
  endforeach()
endforeach()
message(STATUS "the controls come out of README.md as expected")

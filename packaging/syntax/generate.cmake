# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the KSyntaxHighlighting definitions of the script (SLO) and value (VLO) languages from
# the game's builtin tables. Run as: cmake -DTABLES=<dir> -DTEMPLATES=<dir> -DOUT=<dir> -P generate.cmake

# The rows of a tab-separated table without its header line, each a list of its columns.
# Characters that CMake lists give meaning to are replaced; no word of ours contains them.
function(read_table file out_rows)
  file(READ ${file} content)
  string(REPLACE ";" "," content "${content}")
  string(REPLACE "[" "(" content "${content}")
  string(REPLACE "]" ")" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  list(POP_FRONT lines)
  set(rows "")
  foreach(line IN LISTS lines)
    if(NOT line STREQUAL "")
      string(REPLACE "\t" "|TAB|" line "${line}")
      list(APPEND rows "${line}")
    endif()
  endforeach()
  set(${out_rows} "${rows}" PARENT_SCOPE)
endfunction()

# Column `index` of a row.
function(column row index out)
  string(REPLACE "|TAB|" ";" cols "${row}")
  list(GET cols ${index} value)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# <item> lines for the words, sorted and each once.
function(items words out)
  list(REMOVE_DUPLICATES words)
  list(SORT words)
  set(text "")
  foreach(word IN LISTS words)
    string(APPEND text "      <item>${word}</item>\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(first_column table out)
  read_table(${TABLES}/${table} rows)
  set(words "")
  foreach(row IN LISTS rows)
    column("${row}" 0 name)
    list(APPEND words ${name})
  endforeach()
  items("${words}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The type words of column `index` of types.tsv: "int|INT", "void|VOID (function return only)";
# "not accepted ..." gives none.
function(type_words index out)
  read_table(${TABLES}/types.tsv rows)
  set(words "")
  foreach(row IN LISTS rows)
    column("${row}" ${index} cell)
    if(NOT cell MATCHES "^not accepted" AND NOT cell STREQUAL "-")
      string(REGEX REPLACE " .*" "" cell "${cell}")
      string(REPLACE "|" ";" cell "${cell}")
      list(APPEND words ${cell})
    endif()
  endforeach()
  items("${words}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

first_column(functions.tsv FUNCTIONS)
first_column(callbacks.tsv CALLBACKS)
first_column(constants.tsv CONSTANTS)
first_column(externals.tsv EXTERNALS)
type_words(2 SCRIPT_TYPES)
type_words(3 VLO_TYPES)
configure_file(${TEMPLATES}/warzone2100-slo.xml.in ${OUT}/warzone2100-slo.xml @ONLY)
configure_file(${TEMPLATES}/warzone2100-vlo.xml.in ${OUT}/warzone2100-vlo.xml @ONLY)

# What Windows shows of Kustel in the properties of its files: the copyright of LICENSE and the
# version, for the version resources of the program and of its installer.
#   kustel_read_copyright(LINE HOLDER)
#   LINE:   "© 2026 The Kustel developers" (the line of LICENSE as Windows shows a copyright)
#   HOLDER: "The Kustel developers"
function(kustel_read_copyright line_var holder_var)
  set(license ${PROJECT_SOURCE_DIR}/LICENSE)
  file(STRINGS ${license} copyright REGEX "^Copyright \\(c\\) " LIMIT_COUNT 1 ENCODING UTF-8)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${license})
  if(NOT copyright MATCHES "^Copyright \\(c\\) ([0-9][0-9, -]*[0-9]) (.+)$")
    message(FATAL_ERROR "LICENSE: no line 'Copyright (c) <years> <holder>'")
  endif()
  set(${line_var} "© ${CMAKE_MATCH_1} ${CMAKE_MATCH_2}" PARENT_SCOPE)
  set(${holder_var} "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()

# The four numbers Windows gives a version ("1.0" becomes "1.0.0.0").
function(kustel_four_part_version out_var)
  string(REPLACE "." ";" parts "${PROJECT_VERSION}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  string(REPLACE ";" "." version "${parts}")
  set(${out_var} ${version} PARENT_SCOPE)
endfunction()

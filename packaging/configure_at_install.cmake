# Writes Kustel's menu entry and file-manager entries for the prefix they are installed under. Included by the
# install script, where CMAKE_INSTALL_PREFIX is the prefix of this very installation (the one
# given to `cmake --install --prefix`, /usr when CPack builds the package), so one build serves a
# package and a home folder alike. Set by the caller: KUSTEL_BINDIR, KUSTEL_STAGING (a folder of
# the build tree for the configured copies).

# The command as the menu entries and actions name it. A desktop session searches /usr/bin and
# /usr/local/bin whatever the user's shell does, so there the bare name suffices and reads as
# distributions write it. Any other folder (~/.local/bin, /opt/...) is on no PATH a file
# manager is sure to have: the absolute path then.
set(kustel_bin "${KUSTEL_BINDIR}")
if(NOT IS_ABSOLUTE "${kustel_bin}")
  set(kustel_bin "${CMAKE_INSTALL_PREFIX}/${kustel_bin}")
endif()
cmake_path(NORMAL_PATH kustel_bin)
string(REGEX REPLACE "(.)/$" "\\1" kustel_bin "${kustel_bin}")
if(kustel_bin STREQUAL "/usr/bin" OR kustel_bin STREQUAL "/usr/local/bin")
  set(kustel_program kustel)
else()
  set(kustel_program "${kustel_bin}/kustel")
endif()

# A value in a desktop-style file: the key-file layer reads \\ as one backslash.
function(kustel_key_file_escape out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# One argument of a desktop entry's Exec: quoted when it holds a reserved character, with " ` $
# and \ escaped inside the quotes; % doubled, since a single one starts a field code.
function(kustel_exec_argument out value)
  string(REPLACE "%" "%%" value "${value}")
  if(value MATCHES "[^A-Za-z0-9_./+,:@=-]")
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "`" "\\`" value "${value}")
    string(REPLACE "$" "\\$" value "${value}")
    set(value "\"${value}\"")
  endif()
  kustel_key_file_escape(value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# One word for a POSIX shell (and GLib's shell-like splitting, which Nemo uses).
function(kustel_shell_word out value)
  if(value MATCHES "[^A-Za-z0-9_./+,:@=-]")
    string(REPLACE "'" "'\\''" value "${value}")
    set(value "'${value}'")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# A Python string literal in double quotes.
function(kustel_python_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

kustel_exec_argument(KUSTEL_EXEC "${kustel_program}")
kustel_key_file_escape(KUSTEL_TRY_EXEC "${kustel_program}")
kustel_shell_word(kustel_shell_program "${kustel_program}")
kustel_key_file_escape(KUSTEL_SHELL_EXEC "${kustel_shell_program}")
kustel_python_string(KUSTEL_PYTHON_PROGRAM "${kustel_program}")

# The menu entry's command, which opens the window and never hands the program a file. GIO and
# KIO append a file to an Exec without a file field code as if it said %f, so the program is
# started through sh -c: what is appended becomes a positional parameter of a command that
# uses none. The word after the command is the name sh gives itself in its messages.
kustel_exec_argument(kustel_window_command "exec ${kustel_shell_program}")
set(KUSTEL_WINDOW_EXEC "sh -c ${kustel_window_command} kustel")

# Copies TEMPLATE, configured for this prefix, to DESTINATION (below the prefix) as NAME.
# SOURCE marks program source, which keeps its comments.
function(kustel_install_configured template destination name)
  cmake_parse_arguments(ARG "EXECUTABLE;SOURCE" "" "" ${ARGN})
  set(staged "${KUSTEL_STAGING}/${name}")
  configure_file("${template}" "${staged}" @ONLY)
  if(NOT ARG_SOURCE)
    # The templates' comments speak to Kustel's developers; the installed files go without.
    file(READ "${staged}" text)
    string(REGEX REPLACE "(^|\n)#[^\n]*" "" text "${text}")
    string(REGEX REPLACE "^\n+" "" text "${text}")
    file(WRITE "${staged}" "${text}")
  endif()
  set(permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(ARG_EXECUTABLE)
    list(APPEND permissions OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  endif()
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${destination}" TYPE FILE
    PERMISSIONS ${permissions} FILES "${staged}")
  # file(INSTALL) lists the file in the manifest of the calling scope: hand it up.
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

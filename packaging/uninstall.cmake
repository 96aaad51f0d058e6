# Removes what an installation of Kustel put into PREFIX, as listed in the record that the
# installation left there (RECORD, relative to PREFIX): its files, then the folders it created,
# where they are empty. Folders that were there before stay, even when empty.
# Run as `cmake -DPREFIX=... -DRECORD=... -P uninstall.cmake`.
if(NOT PREFIX OR NOT RECORD)
  message(FATAL_ERROR "uninstall.cmake needs PREFIX and RECORD")
endif()
cmake_path(ABSOLUTE_PATH PREFIX NORMALIZE)
string(REGEX REPLACE "(.)/$" "\\1" PREFIX "${PREFIX}")
set(record "${PREFIX}/${RECORD}")
if(NOT EXISTS "${record}")
  message(FATAL_ERROR "No Kustel installation in ${PREFIX}: ${record} is missing")
endif()

file(STRINGS "${record}" entries ENCODING UTF-8)
set(folders "")
foreach(entry IN LISTS entries)
  if(entry STREQUAL "")
    continue()
  endif()
  # The record names only what lies below the prefix; anything else is not ours to remove.
  cmake_path(IS_PREFIX PREFIX "${entry}" NORMALIZE below_prefix)
  if(NOT below_prefix)
    message(WARNING "Not removed, outside ${PREFIX}: ${entry}")
  elseif(entry MATCHES "/$")
    list(APPEND folders "${entry}")
  elseif(EXISTS "${entry}" OR IS_SYMLINK "${entry}")
    message(STATUS "Removing: ${entry}")
    file(REMOVE "${entry}")
  endif()
endforeach()

# The folders the installation created, deepest first, each only when nothing else has moved in.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REGEX REPLACE "/$" "" folder "${folder}")
  file(GLOB left "${folder}/*" "${folder}/.*")
  if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}" AND NOT left)
    message(STATUS "Removing: ${folder}/")
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()

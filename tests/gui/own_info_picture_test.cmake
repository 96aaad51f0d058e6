# A program shows the information page of its own system: the bytes of that system's picture
# (OWN) stand in the program file, those of the other system's picture (OTHER) do not, and the two
# pictures differ. Read on the build machine, from the files a user gets.
#   cmake -DPROGRAM=... -DOWN=... -DOTHER=... -P own_info_picture_test.cmake
foreach(file IN ITEMS PROGRAM OWN OTHER)
  if(NOT EXISTS "${${file}}")
    message(FATAL_ERROR "${file}: ${${file}} does not exist")
  endif()
  file(READ "${${file}}" ${file}_bytes HEX)
endforeach()

if(OWN_bytes STREQUAL OTHER_bytes)
  message(FATAL_ERROR "${OWN} and ${OTHER} are the same picture")
endif()
# Both in hexadecimal: a match counts only where it starts on a whole byte.
string(FIND "${PROGRAM_bytes}" "${OWN_bytes}" own_at)
math(EXPR own_half_byte "${own_at} % 2")
if(own_at EQUAL -1 OR own_half_byte)
  message(SEND_ERROR "${PROGRAM} does not carry ${OWN}")
endif()
string(FIND "${PROGRAM_bytes}" "${OTHER_bytes}" other_at)
if(NOT other_at EQUAL -1)
  message(SEND_ERROR "${PROGRAM} carries the other system's ${OTHER}")
endif()

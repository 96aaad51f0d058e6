# kustel.exe must run on any Windows with nothing beside it: it may import only from DLLs that
# every Windows has. A library linked as a DLL by mistake (zlib, the C++ runtime, winpthread)
# shows here, although Wine would ship a stand-in and run it anyway.
#   cmake -DOBJDUMP=... -DPROGRAM=kustel.exe -P import_list_test.cmake
# UXTHEME.DLL is there since Windows XP.
set(allowed KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL COMCTL32.DLL UXTHEME.DLL
  MSVCRT.DLL)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the headers of ${PROGRAM}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOUPPER "${dll}" dll)  # Windows compares DLL names without regard to case
  list(FIND allowed ${dll} found)
  if(found EQUAL -1)
    message(SEND_ERROR "kustel.exe imports ${dll}, which not every Windows has")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

# A GUI program: started from the desktop, no console window flashes up.
if(NOT headers MATCHES "Subsystem[ \t]+0+2[ \t]+\\(Windows GUI\\)")
  message(SEND_ERROR "kustel.exe is not a GUI program")
endif()

# Runs kelvane-sim.exe config under wine in an empty folder, so that Kelvane.asi writes
# Kelvane.ini as on a player's first start, and keeps that file as OUTPUT.
# Variables: WINE_RUN, WINE_PREFIX, TOOL, OUTPUT.
set(folder ${OUTPUT}.first-start)
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${WINE_RUN} ${WINE_PREFIX} ${TOOL} config
  WORKING_DIRECTORY ${folder}
  RESULT_VARIABLE result
  OUTPUT_QUIET
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kelvane-sim.exe config failed under wine (${result}):\n${errors}")
endif()
if(NOT EXISTS ${folder}/Kelvane.ini)
  message(FATAL_ERROR "Kelvane.asi wrote no Kelvane.ini in ${folder}")
endif()
file(COPY_FILE ${folder}/Kelvane.ini ${OUTPUT})
file(REMOVE_RECURSE ${folder})

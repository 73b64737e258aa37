# cmake -DSOURCE=x.1.scd -DPAGE=x.1 -DVERSION=1.2.3 -DSCDOC=scdoc -DGZIP=gzip -P BuildManPage.cmake
# Writes PAGE (roff) and PAGE.gz from the scdoc source, with @PROJECT_VERSION@ filled in.
set(PROJECT_VERSION ${VERSION})
configure_file(${SOURCE} ${PAGE}.scd @ONLY)
execute_process(COMMAND ${SCDOC} INPUT_FILE ${PAGE}.scd OUTPUT_FILE ${PAGE}
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${GZIP} -9 -n -c ${PAGE} OUTPUT_FILE ${PAGE}.gz COMMAND_ERROR_IS_FATAL ANY)

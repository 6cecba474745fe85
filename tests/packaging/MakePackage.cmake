# Makes the Debian package of a build tree into a fresh folder:
# cmake -DCPACK=<cpack> -DCONFIG=<build>/CPackConfig.cmake -DOUT=<folder> -P MakePackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${OUT} COMMAND_ERROR_IS_FATAL ANY)

# Fails when a source outside src/platform/, or one inside it whose name lacks "Linux", includes
# an operating-system header. Run at every build: cmake -DROOT=<source dir> -P OsHeaderCheck.cmake
set(os_headers "unistd|fcntl|sys/[a-z_/]+|dlfcn|iconv|pwd|grp|poll|dirent|langinfo|signal|termios|spawn|pthread|semaphore|sched|netdb|netinet/[a-z_]+|arpa/[a-z_]+|linux/[a-z_/]+|syslog|glob|fnmatch|wordexp|libgen|utime|mqueue|elf")
file(GLOB_RECURSE sources ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
    ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.h
    ${ROOT}/fuzz/*.cpp)
set(offenders)
foreach(source ${sources})
    file(RELATIVE_PATH relative ${ROOT} ${source})
    get_filename_component(name ${source} NAME)
    if(relative MATCHES "^src/platform/" AND name MATCHES "Linux")
        continue()
    endif()
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<(${os_headers})\\.h>")
    if(includes)
        list(APPEND offenders "${relative}: ${includes}")
    endif()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "Operating-system headers belong to src/platform/ files named Linux*:\n  ${text}")
endif()

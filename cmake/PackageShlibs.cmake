# Run by cpack after it has staged the package's files and before it makes the Debian package.
# cpack computes the package's Depends with dpkg-shlibdeps in the staging folder, which reads
# debian/shlibs.local there first: it names the lowest libcurl the program needs, so that Depends
# lists libcurl4 once, with that version. (The version the library's symbols give is lower: what
# needs the newer release are options, which symbols cannot show.) cpack removes the folder after.
file(WRITE "${CPACK_TEMPORARY_DIRECTORY}/debian/shlibs.local"
    "libcurl 4 ${CPACK_DIMMETRIC_LIBCURL_DEPENDS}\n")
